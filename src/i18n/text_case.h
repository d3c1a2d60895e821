#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quenmark {

// Letter case for the catalogue's key comparisons and first-letter capitals. Simple
// one-to-one mappings (a letter never becomes two), so a text keeps its number of
// characters; covers Latin, Greek, Cyrillic and Armenian letters and full-width Latin.
char32_t upperCodePoint(char32_t cp);

// UTF-8 in, UTF-8 out; malformed bytes become U+FFFD.
std::string upperCase(std::string_view utf8);
// Only the first character upper-cased; the rest stays byte for byte.
std::string upperFirst(std::string_view utf8);
bool equalsNoCase(std::string_view a, std::string_view b);

// A match of a case-insensitive search: byte offset and byte length in the searched text
// (the length can differ from the needle's, as with "ı" against "I").
struct TextMatch {
  std::size_t pos = 0;
  std::size_t length = 0;
};

// The first occurrence of `needle` at or after byte offset `from`, letter case ignored.
std::optional<TextMatch> findNoCase(std::string_view text, std::string_view needle,
                                    std::size_t from = 0);

// Every occurrence of `what` replaced by `with`, searching on after each replacement.
std::string replaceNoCase(std::string_view text, std::string_view what, std::string_view with);

// Number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// Well-formed UTF-8: a leading byte-order mark dropped, malformed bytes become U+FFFD.
std::string decodeUtf8Text(std::string_view bytes);

}  // namespace quenmark
