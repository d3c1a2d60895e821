#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenmark {

// The kinds of record, by the numbers ReportEvent takes.
enum class EventType : std::uint16_t { Error = 1, Warning = 2, Information = 4 };

// The Windows Application log, under the program's own event source. A record is its
// type, the id of its message in the program's message table, and the texts that message
// inserts (%1, %2, ...). Writing never fails where the caller can see it: a log that cannot
// be opened or written is left alone, so that nothing the program does waits for it.
class EventLog {
 public:
  virtual ~EventLog() = default;
  virtual void report(EventType type, std::uint32_t id,
                      const std::vector<std::string>& strings) = 0;
};

}  // namespace quenmark
