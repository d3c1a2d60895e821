#pragma once

#include "platform/http.h"
#include "platform/win32/wininet_api_win32.h"

namespace quenmark::win32 {

// HTTP through WinINet. The handles it hands out use its WinINet: it outlives them.
class WinInetHttp final : public Http {
 public:
  InternetHandlePtr open(const std::string& agent, std::uint32_t accessType,
                         std::uint32_t flags) override;
  InternetHandlePtr openUrl(InternetHandle& root, const std::string& url,
                            std::uint32_t flags) override;
  bool readFile(InternetHandle& request, char* buffer, std::uint32_t size,
                std::uint32_t& read) override;

 private:
  WinInetApi api_;
};

}  // namespace quenmark::win32
