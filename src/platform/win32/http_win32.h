#pragma once

#include "platform/http.h"

namespace quenmark::win32 {

// HTTP through WinINet.
class WinInetHttp final : public Http {
 public:
  InternetHandlePtr open(const std::string& agent, std::uint32_t accessType,
                         std::uint32_t flags) override;
  InternetHandlePtr openUrl(InternetHandle& root, const std::string& url,
                            std::uint32_t flags) override;
  bool readFile(InternetHandle& request, char* buffer, std::uint32_t size,
                std::uint32_t& read) override;
};

}  // namespace quenmark::win32
