#pragma once

#include <string>

#include "platform/event_log.h"
#include "platform/win32/handles.h"

namespace quenmark::win32 {

// The Application log through RegisterEventSourceW and ReportEventW, under `source`. The
// source is opened at the first record and kept until this object goes. Where no source is
// registered (a portable copy), Windows still takes the records and shows them without
// their text; where it refuses, the record is lost and nothing is said.
class Win32EventLog final : public EventLog {
 public:
  explicit Win32EventLog(std::string source) : source_(std::move(source)) {}
  void report(EventType type, std::uint32_t id, const std::vector<std::string>& strings) override;

  // The source's handle once opened; null before the first record or when refused.
  HANDLE handle() const { return handle_.get(); }

 private:
  std::string source_;
  UniqueEventSource handle_;
};

}  // namespace quenmark::win32
