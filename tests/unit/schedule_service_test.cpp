#include "core/schedule/schedule_service.h"

#include <gtest/gtest.h>

#include "core/schedule/schedule_file.h"
#include "support/schedule_service_fixture.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

// The service as the program makes it, over fakes, started as the main window's load does.
class ScheduleServiceTest : public testing::ScheduleServiceFixture {
 protected:
  ScheduleServiceTest() : ScheduleServiceFixture(at(2025, 3, 5, 7, 30)) {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    ScheduleRecord daily;
    daily.Name = "Daily";
    daily.ItemType = "Reboot";
    daily.Enabled = true;
    daily.StartDate = "3/1/2025";
    daily.StartTime = "08:00:00";
    daily.Repeat = true;
    EXPECT_FALSE(SaveScheduleFile(fs, codec, kFolder, daily));
    start();
    service.reload();
  }
};

// A save in the wizard hands over its record: no other entry is read again, so a schedule
// that fired and moved on does not fire twice after the clock is set back, and quick entries
// stay.
TEST_F(ScheduleServiceTest, ASaveTakesTheRecordAndLeavesTheOtherEntriesAsTheyAre) {
  clock.set(at(2025, 3, 5, 8, 0, 10));
  tick();
  EXPECT_EQ(reboots(), 1);
  service.quickSchedule("In 1 Week", "Log Off");
  clock.set(at(2025, 3, 5, 7, 59, 50));  // set back
  ScheduleRecord other;
  other.Name = "Other";
  other.ItemType = "Shut Down";
  service.saved(other);
  EXPECT_EQ(service.list().count(), 3u);
  EXPECT_EQ(service.list().at(0).nextRunTime, "3/6/2025 08:00:00");
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tick();
  EXPECT_EQ(reboots(), 1) << "not again after the save";

  // Saved again under its name: the entry is replaced where it stands, not added.
  other.ItemType = "Reboot";
  service.saved(other);
  EXPECT_EQ(service.list().count(), 3u);
  EXPECT_EQ(service.list().at(service.list().findSchedule("Other") - 1).type, "Reboot");
}

// The options window's change reaches the engine as a value, also where storing it was
// refused; the wake timer follows at once.
TEST_F(ScheduleServiceTest, FollowsWakingAsTheOptionsChangeIt) {
  EXPECT_EQ(power.wakeDue(), std::nullopt);
  options.set(Setting::chkWake, "1");
  EXPECT_EQ(power.wakeDue(), at(2025, 3, 5, 8, 0));
  registry.failNext("createKeyEx", 5, -1);
  options.set(Setting::chkWake, "0");
  EXPECT_EQ(power.wakeDue(), std::nullopt) << "refused by the registry, followed for this run";
  service.stop();
  EXPECT_FALSE(service.started());
}

// What an administrator reads in the Application log after a day: every run performed,
// skipped at its countdown, put off, missed while the computer slept, and failed, and every
// change to the schedules, each with the texts its message inserts.
TEST_F(ScheduleServiceTest, ADayInTheEventLog) {
  auto once = [](std::string name, std::string type, std::string time, bool daily = false) {
    ScheduleRecord r;
    r.Name = std::move(name);
    r.ItemType = std::move(type);
    r.Enabled = true;
    r.StartDate = "3/5/2025";
    r.StartTime = std::move(time);
    r.Repeat = daily;
    return r;
  };
  auto tickAt = [&](int h, int m, int s) {
    clock.set(at(2025, 3, 5, h, m, s));
    tick();
  };
  tickAt(8, 0, 10);  // Daily, performed
  service.quickSchedule("Now", "Hibernate");
  options.set(Setting::chkWarn, "1");
  service.saved(once("Nap", "Stand by", "09:00:00"));
  tickAt(9, 0, 5);
  service.answerCountdown(CountdownAnswer::Cancel);
  service.saved(once("Lunch", "Log Off", "12:00:00"));
  tickAt(12, 0, 5);
  clock.set(at(2025, 3, 5, 12, 0, 20));
  service.answerCountdown(CountdownAnswer::Postpone);
  tickAt(12, 10, 2);   // the countdown again
  tickAt(12, 10, 32);  // and its end
  options.set(Setting::chkWarn, "0");
  service.saved(once("Tea", "Reboot", "15:00:00", true));
  service.saved(once("Errand", "Shut Down", "15:30:00"));
  tickAt(14, 59, 0);
  tickAt(16, 0, 0);  // the computer slept through both
  power.fail("ExitWindowsEx");
  service.saved(once("Evening", "Shut Down", "20:00:00"));
  tickAt(20, 0, 10);
  service.saved(once("Tea", "Log Off", "15:00:00", true));
  EXPECT_FALSE(service.deleteSchedule("Evening", ChangeSource::MainWindow));
  service.stop();

  EXPECT_EQ(events.records, (std::vector<std::string>{
      "1 I: 1",
      "100 I: Daily | Reboot | 2025-03-05 08:00 | 2025-03-05 08:00:10",
      "101 I: Hibernate | 2025-03-05 08:00:10",
      "200 I: Nap | Stand by | 2025-03-05 09:00 | the schedule wizard",
      "110 I: Nap | Stand by | 2025-03-05 09:00 | Cancel",
      "200 I: Lunch | Log Off | 2025-03-05 12:00 | the schedule wizard",
      "111 I: Lunch | Log Off | 2025-03-05 12:00 | Postpone 10 minutes | 2025-03-05 12:10",
      "100 I: Lunch | Log Off | 2025-03-05 12:00 | 2025-03-05 12:10:32",
      "200 I: Tea | Reboot | 2025-03-05 15:00 | the schedule wizard",
      "200 I: Errand | Shut Down | 2025-03-05 15:30 | the schedule wizard",
      "121 W: Tea | Reboot | 2025-03-05 15:00 | 2025-03-06 15:00",
      "120 W: Errand | Shut Down | 2025-03-05 15:30",
      "200 I: Evening | Shut Down | 2025-03-05 20:00 | the schedule wizard",
      "130 E: Evening | Shut Down | 2025-03-05 20:00 | 2025-03-05 20:00:10 | "
      "Error 1314 - A required privilege is not held by the client.",
      "201 I: Tea | Log Off | 2025-03-06 15:00 | the schedule wizard",
      "202 I: Evening | the main window",
      "2 I:",
  }));
  // Each record inserts exactly the texts its message takes.
  for (const auto& r : events.written) {
    EXPECT_EQ(static_cast<int>(r.strings.size()), eventDef(static_cast<EventId>(r.id)).strings)
        << r.id;
    EXPECT_EQ(r.type, eventDef(static_cast<EventId>(r.id)).type) << r.id;
  }
}

}  // namespace
}  // namespace quenmark
