#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quenmark {

// WinINet values, as the program passes them.
namespace inet {
inline constexpr std::uint32_t kOpenTypeDirect = 1;              // INTERNET_OPEN_TYPE_DIRECT
inline constexpr std::uint32_t kFlagReload = 0x80000000;         // INTERNET_FLAG_RELOAD
inline constexpr std::uint32_t kFlagPragmaNoCache = 0x00000100;  // INTERNET_FLAG_PRAGMA_NOCACHE
}  // namespace inet

// An open Internet handle. It is closed (InternetCloseHandle) when it goes.
class InternetHandle {
 public:
  virtual ~InternetHandle() = default;
};
using InternetHandlePtr = std::unique_ptr<InternetHandle>;

// HTTP fetches, shaped after the WinINet calls that make them.
class Http {
 public:
  virtual ~Http() = default;
  // InternetOpen with no proxy and no bypass list: the root handle, or null.
  virtual InternetHandlePtr open(const std::string& agent, std::uint32_t accessType,
                                 std::uint32_t flags) = 0;
  // InternetOpenUrl with no extra headers and context 0: the request handle, or null. The
  // HTTP status is not looked at: an error page is a body like any other.
  virtual InternetHandlePtr openUrl(InternetHandle& root, const std::string& url,
                                    std::uint32_t flags) = 0;
  // InternetReadFile: up to `size` bytes of the body into `buffer`; `read` says how many
  // came, 0 at its end. False when the read failed, and at an end that comes before the
  // length the response announced (the server closed the connection halfway).
  virtual bool readFile(InternetHandle& request, char* buffer, std::uint32_t size,
                        std::uint32_t& read) = 0;
};

}  // namespace quenmark
