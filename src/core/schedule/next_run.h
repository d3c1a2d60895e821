#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/regional.h"
#include "core/schedule/period.h"
#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_record.h"

namespace quenmark {

// When a schedule fires, derived from its record once, so that re-arming an entry after it
// fired needs no text parsing.
struct ScheduleRule {
  std::string startDateText;  // as the file holds them: a next run at the start shows these
  std::string startTimeText;
  std::chrono::local_days startDate;
  std::chrono::minutes startMinute{0};  // minute of the day; the seconds never matter
  bool repeat = false;
  int kind = 0;  // SAccurancy: 0 daily, 1 weekly, 2 monthly, anything else never
  DaySet days;   // chosen weekdays or days of the month

  LocalMinute start() const { return startDate + startMinute; }
};

// Nothing when the record has no start, or its start date or time does not read.
std::optional<ScheduleRule> ruleOf(const ScheduleRecord& record, const RegionalFormats& formats);

// A next-run text and the minute it names; both empty when no run is pending.
struct NextRun {
  std::string text;
  std::optional<LocalMinute> at;
};

// The first run later than the minute of `now`: the start while it is yet to come, then
// (for repeating rules) the next chosen day at the start's time of day.
NextRun nextRunAfter(const ScheduleRule& rule, std::chrono::local_seconds now,
                     const RegionalFormats& formats);

// The next-run text of a SCHEDULER block.
std::string getNextRunTime(std::string_view schedulerBlock, std::chrono::local_seconds now,
                           const RegionalFormats& formats);

}  // namespace quenmark
