#include "schedule/text_fields.h"

#include <algorithm>

namespace quenmark {

std::string getTagText(std::string_view text, std::string_view tag) {
  std::string upper(tag);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  });
  const std::string open = "<" + upper + ">";
  const std::string close = "</" + upper + ">";

  // Worked in 1-based positions, as the format was defined; size_t, so no length overflows.
  const std::size_t found = text.find(open);
  const std::size_t openPos = found == std::string_view::npos ? 0 : found + 1;
  const std::size_t start = openPos + open.size();
  const std::size_t closeFound = text.rfind(close);
  const std::size_t end = closeFound == std::string_view::npos ? 0 : closeFound + 1;
  if (end <= start || start - 1 >= text.size()) return {};
  return std::string(text.substr(start - 1, end - start));
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
