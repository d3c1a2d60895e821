#include "core/schedule/text_fields.h"

#include "base/text.h"

namespace quenmark {
namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character that is `count` characters into a UTF-8 text (or its end):
// the format counts positions in characters, not in bytes.
std::size_t skipCharacters(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (; count > 0 && i < text.size(); --count) {
    ++i;
    while (i < text.size() && isContinuationByte(text[i])) ++i;
  }
  return i;
}

}  // namespace

std::string getTagText(std::string_view text, std::string_view tag) {
  const std::string upper = upperCase(tag);
  const std::string open = "<" + upper + ">";
  const std::string close = "</" + upper + ">";

  // Offsets are size_t: a text of any length works, where 16-bit positions once overflowed.
  const std::size_t openAt = text.find(open);
  // Without an opening tag the cut starts at 1-based character position len(open), which
  // is 0-based position len(open) - 1.
  const std::size_t start = openAt == std::string_view::npos ? skipCharacters(text, open.size() - 1)
                                                             : openAt + open.size();
  const std::size_t end = text.rfind(close);
  if (end == std::string_view::npos || end <= start) return {};
  return std::string(text.substr(start, end - start));
}

std::string getKeyValue(std::string_view text, std::string_view key) {
  if (text.empty()) return {};
  std::string pattern(key);
  pattern += '=';
  const std::size_t p = text.find(pattern);
  if (p == std::string_view::npos) return {};
  const std::size_t s = p + pattern.size();
  const std::size_t e = text.find("\r\n", s);
  if (e == std::string_view::npos) return {};
  return std::string(text.substr(s, e - s));
}

}  // namespace quenmark
