#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quenmark {

// Each column width of the schedule list is a user setting of this name + the column
// number (1 to 5), in twips; "2500" until the user has changed it.
inline constexpr std::string_view kColumnWidthKey = "BackupSetColumn";
inline constexpr std::string_view kDefaultColumnWidth = "2500";

// The text a width is stored as: the single-precision value, without a fraction when it
// has none ("2500", "1234.5").
std::string columnWidthText(float twips);

// The width a stored text restores: the number rounded to a 16-bit integer (half to even).
// Nothing when the text is no number, lies outside 16 bits or is negative, so that a
// damaged value leaves the column as designed.
std::optional<int> columnWidthFromText(std::string_view text);

}  // namespace quenmark
