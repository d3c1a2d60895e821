#include "core/settings/column_widths.h"

#include <charconv>
#include <cmath>

#include "base/text.h"

namespace quenmark {

std::string columnWidthText(float twips) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, twips, std::chars_format::fixed);
  if (ec != std::errc()) return std::string(kDefaultColumnWidth);
  return std::string(buffer, end);
}

std::optional<int> columnWidthFromText(std::string_view text) {
  text = trimSpaces(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  value = std::nearbyint(value);  // the default rounding mode rounds half to even
  if (!(value >= 0.0 && value <= 32767.0)) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace quenmark
