#include "core/settings/column_widths.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/text.h"

namespace quenmark {

// The fewest decimals that read back as the same single-precision value, as std::to_chars
// writes them; found with printf and strtof, which round exactly, because the floating-point
// tables of to_chars and from_chars would make up a fifth of the program file.
std::string columnWidthText(float twips) {
  if (std::isnan(twips)) return std::signbit(twips) ? "-nan" : "nan";
  if (std::isinf(twips)) return twips < 0 ? "-inf" : "inf";
  char buffer[128];
  for (int decimals = 0;; ++decimals) {
    const int n =
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(twips));
    if (n <= 0 || n >= static_cast<int>(sizeof buffer)) return std::string(kDefaultColumnWidth);
    char* end = nullptr;
    const float back = std::strtof(buffer, &end);
    if (end == buffer + n && back == twips)
      return std::string(buffer, static_cast<std::size_t>(n));
  }
}

std::optional<int> columnWidthFromText(std::string_view text) {
  text = trimSpaces(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const std::optional<double> read = readDecimal(text);
  if (!read) return std::nullopt;
  const double value = std::nearbyint(*read);  // the default rounding mode rounds half to even
  if (!(value >= 0.0 && value <= 32767.0)) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace quenmark
