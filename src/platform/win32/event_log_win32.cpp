#include "platform/win32/event_log_win32.h"

#include <vector>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

void Win32EventLog::report(EventType type, std::uint32_t id,
                           const std::vector<std::string>& strings) {
  if (!handle_) handle_.reset(RegisterEventSourceW(nullptr, widen(source_).c_str()));
  if (!handle_) return;
  std::vector<std::wstring> wide;
  wide.reserve(strings.size());
  for (const std::string& s : strings) wide.push_back(widen(s));
  std::vector<LPCWSTR> texts;
  texts.reserve(wide.size());
  for (const std::wstring& w : wide) texts.push_back(w.c_str());
  // A failed write (a full log, a stopped service) is not the program's business.
  ReportEventW(handle_.get(), static_cast<WORD>(type), 0, id, nullptr,
               static_cast<WORD>(texts.size()), 0, texts.empty() ? nullptr : texts.data(), nullptr);
}

}  // namespace quenmark::win32
