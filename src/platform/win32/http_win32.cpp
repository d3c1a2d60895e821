#include "platform/win32/http_win32.h"

#include <windows.h>
// wininet.h needs the types of windows.h first.
#include <wininet.h>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// Owns one HINTERNET and closes it when it goes.
class WinInetHandle final : public InternetHandle {
 public:
  explicit WinInetHandle(HINTERNET handle) : handle_(handle) {}
  ~WinInetHandle() override { InternetCloseHandle(handle_); }
  WinInetHandle(const WinInetHandle&) = delete;
  WinInetHandle& operator=(const WinInetHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

InternetHandlePtr own(HINTERNET handle) {
  if (!handle) return nullptr;
  return std::make_unique<WinInetHandle>(handle);
}

// Every handle this class hands out is one of its own.
HINTERNET raw(InternetHandle& handle) { return static_cast<WinInetHandle&>(handle).get(); }

}  // namespace

InternetHandlePtr WinInetHttp::open(const std::string& agent, std::uint32_t accessType,
                                    std::uint32_t flags) {
  return own(InternetOpenW(widen(agent).c_str(), accessType, nullptr, nullptr, flags));
}

InternetHandlePtr WinInetHttp::openUrl(InternetHandle& root, const std::string& url,
                                       std::uint32_t flags) {
  return own(InternetOpenUrlW(raw(root), widen(url).c_str(), nullptr, 0, flags, 0));
}

bool WinInetHttp::readFile(InternetHandle& request, char* buffer, std::uint32_t size,
                           std::uint32_t& read) {
  DWORD got = 0;
  const bool ok = InternetReadFile(raw(request), buffer, size, &got) != FALSE;
  read = ok ? got : 0;
  return ok;
}

}  // namespace quenmark::win32
