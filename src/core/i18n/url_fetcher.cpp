#include "core/i18n/url_fetcher.h"

#include <algorithm>
#include <array>

namespace quenmark {

std::optional<std::string> UrlFetcher(Http& http, const std::string& url, std::size_t maxBytes,
                                      const std::function<void()>& doEvents) {
  InternetHandlePtr root = http.open(kUrlFetcherAgent, inet::kOpenTypeDirect, 0);
  if (!root) return std::nullopt;
  // Declared after the root, so that it is closed first.
  InternetHandlePtr request = http.openUrl(*root, url, kUrlFetcherFlags);
  if (!request) return std::nullopt;
  std::string body;
  std::array<char, kUrlFetcherReadSize> buffer{};
  for (;;) {
    std::uint32_t read = 0;
    if (!http.readFile(*request, buffer.data(), kUrlFetcherReadSize, read)) return std::nullopt;
    if (read == 0) break;
    body.append(buffer.data(), std::min(read, kUrlFetcherReadSize));
    if (body.size() > maxBytes) return std::nullopt;
    if (doEvents) doEvents();
  }
  return body;
}

}  // namespace quenmark
