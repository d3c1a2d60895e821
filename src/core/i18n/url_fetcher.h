#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/http.h"

namespace quenmark {

// What the program says it is, and how it asks: straight to the server, never from a cache.
inline constexpr char kUrlFetcherAgent[] = "Mozilla";
inline constexpr std::uint32_t kUrlFetcherFlags = inet::kFlagReload | inet::kFlagPragmaNoCache;
inline constexpr std::uint32_t kUrlFetcherReadSize = 256;

// The body of the response to `url`, byte for byte, whatever the HTTP status: read in pieces
// of 256 bytes, with `doEvents` run after each piece so that the windows stay responsive.
// Nothing when no connection or request could be opened, a read failed (a body cut short
// is no body), or the body grew past `maxBytes`, at which point reading stops.
std::optional<std::string> UrlFetcher(Http& http, const std::string& url, std::size_t maxBytes,
                                      const std::function<void()>& doEvents);

}  // namespace quenmark
