#include "core/schedule/next_run.h"

#include "core/schedule/schedule_file.h"

namespace quenmark {
namespace {

using namespace std::chrono;

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

std::optional<ScheduleRule> ruleOf(const ScheduleRecord& record, const RegionalFormats& formats) {
  ScheduleRule rule;
  rule.startDateText = record.StartDate;
  rule.startTimeText = record.StartTime;
  if (rule.startDateText.empty() || rule.startTimeText.empty()) return std::nullopt;
  const auto date = parseShortDate(rule.startDateText, formats);
  const auto time = parseTime24(rule.startTimeText);
  if (!date || !time) return std::nullopt;
  rule.startDate = local_days{*date};
  rule.startMinute = floor<minutes>(*time);
  rule.repeat = record.Repeat;
  rule.kind = record.SAccurancy;
  rule.days = readDayList(record.Period, static_cast<RepeatKind>(record.SAccurancy));
  return rule;
}

NextRun nextRunAfter(const ScheduleRule& rule, local_seconds now, const RegionalFormats& formats) {
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
  return {formatShortDate(year_month_day{date}, formats) + " " + rule.startTimeText,
          date + rule.startMinute};
}

std::string getNextRunTime(std::string_view schedulerBlock, local_seconds now,
                           const RegionalFormats& formats) {
  ScheduleRecord record;
  readSchedulerFields(schedulerBlock, record);
  const auto rule = ruleOf(record, formats);
  return rule ? nextRunAfter(*rule, now, formats).text : std::string();
}

}  // namespace quenmark
