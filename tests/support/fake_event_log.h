#pragma once

#include <string>
#include <vector>

#include "platform/event_log.h"

namespace quenmark::testing {

// Keeps every record written, in order, as it was given (`written`) and as one line each
// (`records`): "id type: text | text | ...", for example
// "100 I: Daily | Reboot | 2025-03-05 08:00 | 2025-03-05 08:00:10".
class FakeEventLog : public EventLog {
 public:
  struct Record {
    EventType type;
    std::uint32_t id;
    std::vector<std::string> strings;
  };

  void report(EventType type, std::uint32_t id, const std::vector<std::string>& strings) override {
    written.push_back({type, id, strings});
    std::string line = std::to_string(id) + " " +
                       (type == EventType::Error     ? "E"
                        : type == EventType::Warning ? "W"
                                                     : "I") +
                       ":";
    for (std::size_t i = 0; i < strings.size(); ++i) line += (i ? " | " : " ") + strings[i];
    records.push_back(line);
  }

  std::vector<Record> written;
  std::vector<std::string> records;
};

}  // namespace quenmark::testing
