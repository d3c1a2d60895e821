#include "core/schedule/next_run.h"

#include <gtest/gtest.h>

#include "core/schedule/schedule_file.h"
#include "core/schedule/text_fields.h"
#include "support/fake_clock.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

std::string block(const std::string& startDate, const std::string& startTime, bool repeat, int kind,
                  const std::string& period) {
  ScheduleRecord r;
  r.Enabled = !startDate.empty();
  r.StartDate = startDate;
  r.StartTime = startTime;
  r.Repeat = repeat;
  r.SAccurancy = static_cast<std::int16_t>(kind);
  r.Period = period;
  return getTagText(scheduleFileText(r), "SCHEDULER");
}

constexpr int kOnce = -1, kDaily = 0, kWeekly = 1, kMonthly = 2;
const char* const kPictures[] = {"M/d/yyyy", "dd.MM.yyyy", "d. M. yyyy", "yyyy-MM-dd", "d/M/yy"};

// 5 March 2025 is a Wednesday.
TEST(GetNextRunTime, FollowsTheRulesUnderEveryPicture) {
  struct Case {
    const char* what;
    year_month_day start;
    const char* time;
    int kind;
    const char* period;
    local_seconds now;
    std::optional<year_month_day> next;  // at the start's time of day
  };
  const year_month_day past = 2023y / 1 / 1;
  const Case cases[] = {
      {"daily, after its time", past, "08:00:00", kDaily, "", at(2025, 3, 5, 9), 2025y / 3 / 6},
      {"daily, before its time", past, "08:00:00", kDaily, "", at(2025, 3, 5, 7, 59, 30),
       2025y / 3 / 5},
      {"daily, its minute is not to come", past, "08:00:00", kDaily, "", at(2025, 3, 5, 8, 0, 59),
       2025y / 3 / 6},
      {"mon,fri on a Wednesday", past, "22:30:00", kWeekly, "mon,fri", at(2025, 3, 5, 12),
       2025y / 3 / 7},
      {"mon,fri on a Saturday", past, "22:30:00", kWeekly, "mon,fri", at(2025, 3, 8, 12),
       2025y / 3 / 10},
      {"fri,mon in any order", past, "22:30:00", kWeekly, "fri,mon", at(2025, 3, 8, 12),
       2025y / 3 / 10},
      {"wed alone after its time", past, "08:00:00", kWeekly, "wed", at(2025, 3, 5, 9),
       2025y / 3 / 12},
      {"wed alone before its time", past, "08:00:00", kWeekly, "wed", at(2025, 3, 5, 7),
       2025y / 3 / 5},
      {"sun from a Saturday night", past, "00:00:00", kWeekly, "sun", at(2025, 3, 8, 23, 59),
       2025y / 3 / 9},
      {"the 15th on the 10th", past, "08:00:00", kMonthly, "15", at(2025, 3, 10), 2025y / 3 / 15},
      {"the 15th on the 20th", past, "08:00:00", kMonthly, "15", at(2025, 3, 20), 2025y / 4 / 15},
      {"the 15th on 31 January", past, "08:00:00", kMonthly, "15", at(2025, 1, 31), 2025y / 2 / 15},
      {"the 1st on 31 January", past, "08:00:00", kMonthly, "1", at(2025, 1, 31), 2025y / 2 / 1},
      {"the 31st skips April", past, "08:00:00", kMonthly, "31", at(2025, 4, 10), 2025y / 5 / 31},
      {"the 29th skips a short February", past, "08:00:00", kMonthly, "29", at(2025, 2, 1),
       2025y / 3 / 29},
      {"the 29th in a leap February", past, "08:00:00", kMonthly, "29", at(2024, 2, 1),
       2024y / 2 / 29},
      {"30,31 after the 31st's time", past, "08:00:00", kMonthly, "30,31", at(2025, 1, 31, 9),
       2025y / 3 / 30},
      {"the 31st before its time", past, "08:00:00", kMonthly, "31", at(2025, 1, 31, 7),
       2025y / 1 / 31},
      {"the last of the year", past, "08:00:00", kMonthly, "1", at(2025, 12, 31, 9), 2026y / 1 / 1},
      {"weekly, empty Period", past, "08:00:00", kWeekly, "", at(2025, 3, 5), std::nullopt},
      {"monthly, empty Period", past, "08:00:00", kMonthly, "", at(2025, 3, 5), std::nullopt},
      {"weekly junk ignored", past, "08:00:00", kWeekly, "Mon,xyz,9,0,,sun", at(2025, 3, 9, 9),
       2025y / 3 / 16},
      {"monthly junk ignored", past, "08:00:00", kMonthly, "abc,0,32,15, 20 ,mon,-5",
       at(2025, 3, 16), 2025y / 3 / 20},
      {"nothing but junk", past, "08:00:00", kMonthly, "x,99", at(2025, 3, 16), std::nullopt},
      {"unknown repetition", past, "08:00:00", 3, "", at(2025, 3, 5), std::nullopt},
      {"once, in the past", past, "08:00:00", kOnce, "", at(2025, 3, 5), std::nullopt},
      {"once, in this minute", 2025y / 3 / 5, "10:30:00", kOnce, "", at(2025, 3, 5, 10, 30, 59),
       std::nullopt},
      {"once, the minute after", 2025y / 3 / 5, "10:30:00", kOnce, "", at(2025, 3, 5, 10, 29, 59),
       2025y / 3 / 5},
      {"the start comes first", 2025y / 3 / 8, "14:00:00", kWeekly, "wed", at(2025, 3, 5),
       2025y / 3 / 8},
  };
  for (const char* picture : kPictures) {
    const RegionalFormats f{picture, "HH:mm:ss", "AM", "PM"};
    for (const Case& c : cases) {
      const std::string b = block(formatShortDate(c.start, {picture}), c.time, c.kind != kOnce,
                                  c.kind == kOnce ? 0 : c.kind, c.period);
      const std::string expected =
          c.next ? formatShortDate(*c.next, {picture}) + " " + c.time : std::string();
      EXPECT_EQ(getNextRunTime(b, c.now, f), expected) << c.what << " under " << picture;
    }
  }
}

TEST(GetNextRunTime, StartTextIsKeptAsTheFileWroteIt) {
  const RegionalFormats f{"M/d/yyyy", "h:mm:ss tt", "AM", "PM"};
  EXPECT_EQ(getNextRunTime(block("03/08/2025", "9:5", false, 0, ""), at(2025, 3, 5), f),
            "03/08/2025 9:5");
}

TEST(GetNextRunTime, UnreadableStartsGiveNoRun) {
  const RegionalFormats f{};
  const std::string blocks[] = {
      block("", "", false, 0, ""),
      block("3/31/2025", "", true, 0, ""),
      block("31/3/2025", "08:00:00", true, 0, ""),
      block("3/31/2025", "25:00:00", true, 0, ""),
      "\r\nStartDate=1/1/2025\r\nStartTime=08:00:00\r\nRepeat=yes\r\nSAccurancy=0\r\n",
  };
  for (const std::string& b : blocks) EXPECT_EQ(getNextRunTime(b, at(2025, 3, 5), f), "") << b;
}

TEST(NextRunAfter, DaysOutsideTheKindsRangeAreNoDays) {
  ScheduleRecord r;
  readSchedulerFields(block("1/1/2025", "08:00:00", true, kWeekly, "mon"), r);
  auto rule = ruleOf(r, {"M/d/yyyy"});
  ASSERT_TRUE(rule);
  rule->days = std::bitset<32>{}.set(0).set(20);
  EXPECT_EQ(nextRunAfter(*rule, at(2025, 3, 5), {"M/d/yyyy"}).at, std::nullopt);
  rule->kind = kMonthly;
  rule->days = std::bitset<32>{}.set(0);
  EXPECT_EQ(nextRunAfter(*rule, at(2025, 3, 5), {"M/d/yyyy"}).at, std::nullopt);
}

}  // namespace
}  // namespace quenmark
