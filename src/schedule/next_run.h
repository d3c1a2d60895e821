#pragma once

#include <bitset>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/regional.h"
#include "schedule/regional_time.h"

namespace quenmark {

// The SCHEDULER block of a schedule file, read once so that re-arming an entry after it
// fired needs no text parsing.
struct ScheduleRule {
  std::string startDateText;  // as the file holds them: a next run at the start shows these
  std::string startTimeText;
  std::chrono::local_days startDate;
  std::chrono::minutes startMinute{0};  // minute of the day; the seconds never matter
  bool repeat = false;
  int kind = 0;          // SAccurancy: 0 daily, 1 weekly, 2 monthly, anything else never
  std::bitset<32> days;  // chosen weekdays (1 = Monday .. 7) or days of the month (1..31)

  LocalMinute start() const { return startDate + startMinute; }
};

// Nothing when the block has no start, or its start date or time does not read.
std::optional<ScheduleRule> readScheduleRule(std::string_view schedulerBlock,
                                             std::string_view datePicture);

// A next-run text and the minute it names; both empty when no run is pending.
struct NextRun {
  std::string text;
  std::optional<LocalMinute> at;
};

// The first run later than the minute of `now`: the start while it is yet to come, then
// (for repeating rules) the next chosen day at the start's time of day.
NextRun nextRunAfter(const ScheduleRule& rule, std::chrono::local_seconds now,
                     std::string_view datePicture);

// The next-run text of a SCHEDULER block.
std::string getNextRunTime(std::string_view schedulerBlock, std::chrono::local_seconds now,
                           const RegionalFormats& formats);

}  // namespace quenmark
