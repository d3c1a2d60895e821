#include "platform/win32/http_win32.h"

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// Owns one HINTERNET and closes it when it goes.
class WinInetHandle final : public InternetHandle {
 public:
  WinInetHandle(WinInetApi& api, HINTERNET handle) : api_(api), handle_(handle) {}
  ~WinInetHandle() override { api_.InternetCloseHandle(handle_); }
  WinInetHandle(const WinInetHandle&) = delete;
  WinInetHandle& operator=(const WinInetHandle&) = delete;
  HINTERNET get() const { return handle_; }
  // The body bytes read through this handle so far.
  std::uint64_t received = 0;

 private:
  WinInetApi& api_;
  HINTERNET handle_;
};

InternetHandlePtr own(WinInetApi& api, HINTERNET handle) {
  if (!handle) return nullptr;
  return std::make_unique<WinInetHandle>(api, handle);
}

// Every handle this class hands out is one of its own.
WinInetHandle& handleOf(InternetHandle& handle) { return static_cast<WinInetHandle&>(handle); }
HINTERNET raw(InternetHandle& handle) { return handleOf(handle).get(); }

// Whether the head announced a length that the body fell short of. WinINet ends the body
// without an error when the server closes the connection early; only the length tells.
bool cutShort(WinInetApi& api, WinInetHandle& request) {
  DWORD length = 0, size = sizeof length, index = 0;
  return api.HttpQueryInfoW(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                            &length, &size, &index) &&
         request.received < length;
}

}  // namespace

InternetHandlePtr WinInetHttp::open(const std::string& agent, std::uint32_t accessType,
                                    std::uint32_t flags) {
  return own(api_, api_.InternetOpenW(widen(agent).c_str(), accessType, nullptr, nullptr, flags));
}

InternetHandlePtr WinInetHttp::openUrl(InternetHandle& root, const std::string& url,
                                       std::uint32_t flags) {
  return own(api_, api_.InternetOpenUrlW(raw(root), widen(url).c_str(), nullptr, 0, flags, 0));
}

bool WinInetHttp::readFile(InternetHandle& request, char* buffer, std::uint32_t size,
                           std::uint32_t& read) {
  DWORD got = 0;
  const bool ok = api_.InternetReadFile(raw(request), buffer, size, &got) != FALSE;
  read = ok ? got : 0;
  handleOf(request).received += read;
  if (ok && got == 0 && cutShort(api_, handleOf(request))) {
    SetLastError(ERROR_INTERNET_CONNECTION_RESET);
    return false;
  }
  return ok;
}

}  // namespace quenmark::win32
