#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

// SAccurancy: how a repeating schedule repeats.
enum class RepeatKind : std::int16_t { Daily = 0, Weekly = 1, Monthly = 2 };

// Chosen days: weekdays 1 (Monday) to 7, or days of the month 1 to 31.
using DaySet = std::bitset<32>;

// What a weekly day list stores for Monday .. Sunday.
inline constexpr std::array<std::string_view, 7> kWeekdayKeys = {"mon", "tue", "wed", "thu",
                                                                 "fri", "sat", "sun"};

// The days of a Period text. Items are split at "," with blanks around them ignored; weekly
// items are the keys "mon" to "sun" (exact case) or the numbers 1 to 7, monthly items the
// numbers 1 to 31. Anything else names no day and is skipped. Daily lists hold no days.
// The scheduler, the wizard and every other reader of a Period go through here, so that
// what fires is what the wizard shows.
DaySet readDayList(std::string_view period, RepeatKind kind);

// The canonical Period text: the chosen days in week or month order, joined by ",".
std::string dayListText(const DaySet& days, RepeatKind kind);

}  // namespace quenmark
