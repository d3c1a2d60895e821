#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/regional.h"

namespace quenmark {

// A local wall-clock minute: the unit in which schedules fire.
using LocalMinute = std::chrono::local_time<std::chrono::minutes>;

// A date written in a Windows short-date picture: d, dd, M, MM, MMM, MMMM, y, yy, yyyy,
// ddd and dddd, 'quoted' text and any other character taken literally. Names are the
// user's own, from the regional settings.
std::string formatShortDate(std::chrono::year_month_day date, const RegionalFormats& formats);

// Reads a date in the picture's order as a user types it: one or two digits for day and
// month, two or four for the year (two-digit years fall in 1930-2029), spaces in the picture
// optional. Refuses anything that is not a real calendar date.
std::optional<std::chrono::year_month_day> parseShortDate(std::string_view text,
                                                          const RegionalFormats& formats);

// "HH:mm:ss" on the 24-hour clock, the time form of schedule files and next-run texts.
std::string formatTime24(std::chrono::seconds timeOfDay);
// Reads H:m or H:m:s with one or two digits each; nothing outside a real time of day.
std::optional<std::chrono::seconds> parseTime24(std::string_view text);

// A time of day in the regional long-time picture (h, hh, H, HH, m, mm, s, ss, t, tt).
std::string formatLongTime(std::chrono::seconds timeOfDay, const RegionalFormats& formats);

// A next-run text: short date, one space, HH:mm:ss.
std::string formatNextRunText(std::chrono::local_seconds when, const RegionalFormats& formats);

// The minute a next-run text names. The date is everything before the last space (spaces
// at the ends aside), since some pictures ("d. M. yyyy") hold spaces themselves.
std::optional<LocalMinute> parseNextRunText(std::string_view text, const RegionalFormats& formats);

}  // namespace quenmark
