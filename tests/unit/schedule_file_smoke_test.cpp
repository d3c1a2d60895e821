#include <gtest/gtest.h>

#include "schedule/schedule_file.h"

namespace quenmark {
namespace {

TEST(ScheduleFileText, WritesTheWeeklyExampleByteForByte) {
  ScheduleRecord r;
  r.Name = "night";
  r.ItemType = "Shut Down";
  r.Enabled = true;
  r.StartDate = "12/1/2025";
  r.StartTime = "22:30:00";
  r.Repeat = true;
  r.SAccurancy = 1;
  r.Period = "mon,fri";
  EXPECT_EQ(scheduleFileText(r),
            "<DATA>\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n</DATA>\r\n\r\n"
            "<SCHEDULER>\r\nStartDate=12/1/2025\r\nStartTime=22:30:00\r\nRepeat=-1\r\n"
            "SAccurancy=1\r\nPeriod=mon,fri\r\nRunOnStart=0\r\nRunOnEnd=0\r\n"
            "</SCHEDULER>\r\n\r\n");
}

}  // namespace
}  // namespace quenmark
