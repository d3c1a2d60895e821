#include "schedule/next_run.h"

#include <array>

#include "schedule/schedule_file.h"
#include "schedule/text_fields.h"

namespace quenmark {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 7> kWeekdayKeys = {"mon", "tue", "wed", "thu",
                                                          "fri", "sat", "sun"};

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A chosen day, or 0 for an item that names none (such items are skipped, not errors).
unsigned dayItem(std::string_view item, bool weekly) {
  item = trimSpaces(item);
  if (weekly) {
    for (std::size_t i = 0; i < kWeekdayKeys.size(); ++i) {
      if (item == kWeekdayKeys[i]) return static_cast<unsigned>(i + 1);
    }
  }
  if (item.empty() || item.size() > 3) return 0;
  unsigned n = 0;
  for (char c : item) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<unsigned>(c - '0');
  }
  return n >= 1 && n <= (weekly ? 7u : 31u) ? n : 0;
}

std::bitset<32> readDays(std::string_view period, bool weekly) {
  std::bitset<32> days;
  while (true) {
    const std::size_t comma = period.find(',');
    if (unsigned d = dayItem(period.substr(0, comma), weekly)) days.set(d);
    if (comma == std::string_view::npos) break;
    period.remove_prefix(comma + 1);
  }
  return days;
}

// The first chosen day of the month after `today`, looking into later months as needed;
// a chosen day that a month lacks (the 31st in April) is no day of that month. `chosen`
// holds at least one of the days 1 to 31, and each of them occurs within three months.
local_days nextMonthlyDay(const std::bitset<32>& chosen, local_days today) {
  const year_month_day ymd{today};
  year_month ym = ymd.year() / ymd.month();
  unsigned from = static_cast<unsigned>(ymd.day()) + 1;
  while (true) {
    for (unsigned d = from; d <= 31; ++d) {
      const year_month_day candidate = ym / day{d};
      if (chosen.test(d) && candidate.ok()) return local_days{candidate};
    }
    ym += months{1};
    from = 1;
  }
}

}  // namespace

std::optional<ScheduleRule> readScheduleRule(std::string_view block, std::string_view datePicture) {
  ScheduleRule rule;
  rule.startDateText = getKeyValue(block, "StartDate");
  rule.startTimeText = getKeyValue(block, "StartTime");
  if (rule.startDateText.empty() || rule.startTimeText.empty()) return std::nullopt;
  const auto date = parseShortDate(rule.startDateText, datePicture);
  const auto time = parseTime24(rule.startTimeText);
  if (!date || !time) return std::nullopt;
  rule.startDate = local_days{*date};
  rule.startMinute = floor<minutes>(*time);
  rule.repeat = parseBoolean(getKeyValue(block, "Repeat"));
  rule.kind = parseInt16(getKeyValue(block, "SAccurancy"));
  if (rule.kind == 1 || rule.kind == 2)
    rule.days = readDays(getKeyValue(block, "Period"), rule.kind == 1);
  return rule;
}

NextRun nextRunAfter(const ScheduleRule& rule, local_seconds now, std::string_view datePicture) {
  const local_days today = floor<days>(now);
  const minutes clock = floor<minutes>(now - today);
  const bool laterToday = rule.startMinute > clock;
  if (rule.startDate > today || (rule.startDate == today && laterToday)) {
    return {rule.startDateText + " " + rule.startTimeText, rule.start()};
  }
  if (!rule.repeat) return {};

  local_days date;
  if (rule.kind == 0) {
    date = laterToday ? today : today + days{1};
  } else if (rule.kind == 1 || rule.kind == 2) {
    // Only the days 1-7 or 1-31 count, whoever filled the set.
    const std::bitset<32> chosen =
        rule.days & std::bitset<32>(rule.kind == 1 ? 0xFEu : 0xFFFFFFFEu);
    if (chosen.none()) return {};
    const unsigned w = rule.kind == 1 ? weekday{today}.iso_encoding()
                                      : static_cast<unsigned>(year_month_day{today}.day());
    if (chosen.test(w) && laterToday) {
      date = today;
    } else if (rule.kind == 1) {
      unsigned d = w % 7 + 1;
      while (!chosen.test(d)) d = d % 7 + 1;
      date = today + days{(d + 7 - w - 1) % 7 + 1};
    } else {
      date = nextMonthlyDay(chosen, today);
    }
  } else {
    return {};
  }
  return {formatShortDate(year_month_day{date}, datePicture) + " " + rule.startTimeText,
          date + rule.startMinute};
}

std::string getNextRunTime(std::string_view schedulerBlock, local_seconds now,
                           const RegionalFormats& formats) {
  const auto rule = readScheduleRule(schedulerBlock, formats.shortDate);
  return rule ? nextRunAfter(*rule, now, formats.shortDate).text : std::string();
}

}  // namespace quenmark
