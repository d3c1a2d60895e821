#include "core/schedule/scheduler.h"

#include <gtest/gtest.h>

#include "core/schedule/schedule_file.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_timer.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

constexpr const char* kFolder = "C:\\Quenmark";

ScheduleRecord record(std::string name, std::string type, std::string date, std::string time,
                      bool repeat = false, int kind = 0, std::string period = "") {
  ScheduleRecord r;
  r.Name = std::move(name);
  r.ItemType = std::move(type);
  r.Enabled = true;
  r.StartDate = std::move(date);
  r.StartTime = std::move(time);
  r.Repeat = repeat;
  r.SAccurancy = static_cast<std::int16_t>(kind);
  r.Period = std::move(period);
  return r;
}

class SchedulerTest : public ::testing::Test {
 protected:
  SchedulerTest() { fs.addDirectory(std::string(kFolder) + "\\data"); }

  void load(const std::vector<ScheduleRecord>& records) {
    for (const auto& r : records) ASSERT_FALSE(SaveScheduleFile(fs, codec, kFolder, r));
    loadScheduleList(list, fs, codec, kFolder, clock.now(), regional.formats());
  }
  std::string nextRunText(std::string_view name) const {
    return list.at(list.findSchedule(name) - 1).nextRunTime;
  }
  // The queued entries by name.
  std::deque<std::string> queued() const {
    std::deque<std::string> names;
    for (const auto& run : s.lstSchedule()) names.push_back(list.at(*list.indexOf(run.id)).text);
    return names;
  }
  // What the window's timers do in one go once something is due: scan, hand over, act.
  void tickAll() {
    s.tmrScheduler_Timer();
    if (tmrProcessSchedule.enabled()) s.tmrProcessSchedule_Timer();
    if (timSchedule.enabled()) s.timSchedule_Timer();
    if (tmrProcessSchedule.enabled()) s.tmrProcessSchedule_Timer();
  }

  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  ScheduleList list;
  testing::FakeTimer tmrScheduler, tmrProcessSchedule, timSchedule;
  testing::FakeClock clock{at(2025, 3, 5, 7)};  // a Wednesday
  testing::FakeRegional regional{{"M/d/yyyy", "h:mm:ss tt", "AM", "PM"}};
  testing::FakeDialogs dialogs;
  bool prevent = false;
  std::vector<std::pair<int, bool>> runs;
  Scheduler s{{list, tmrScheduler, tmrProcessSchedule, timSchedule, clock, regional, dialogs,
               [](const std::string& key) { return "text of " + key; }, [this] { return prevent; },
               [this](PowerAction a, bool force) -> Status {
                 runs.emplace_back(powerActionCode(a), force);
                 return std::nullopt;
               }}};
};

TEST_F(SchedulerTest, StartsWithOnlyTheScanRunning) {
  EXPECT_TRUE(tmrScheduler.enabled());
  EXPECT_FALSE(tmrProcessSchedule.enabled());
  EXPECT_FALSE(timSchedule.enabled());
  EXPECT_EQ(tmrScheduler.interval(), 500);
  EXPECT_EQ(tmrProcessSchedule.interval(), 500);
  EXPECT_EQ(timSchedule.interval(), 250);
}

TEST_F(SchedulerTest, DueEntryIsQueuedHandedOverAndRunWithForce) {
  load({record("night", "Shut Down", "3/5/2025", "08:00:00")});
  clock.set(at(2025, 3, 5, 7, 59, 59));
  s.tmrScheduler_Timer();
  EXPECT_TRUE(s.lstSchedule().empty());

  clock.set(at(2025, 3, 5, 8, 0, 0));
  s.tmrScheduler_Timer();
  EXPECT_EQ(queued(), std::deque<std::string>{"night"});
  EXPECT_EQ(nextRunText("night"), "");
  EXPECT_TRUE(tmrProcessSchedule.enabled());

  s.tmrProcessSchedule_Timer();
  EXPECT_FALSE(tmrProcessSchedule.enabled());
  EXPECT_TRUE(timSchedule.enabled());
  EXPECT_FALSE(s.ScheduleDone());
  s.tmrProcessSchedule_Timer();  // a stray tick while handing over starts no second pass
  EXPECT_TRUE(runs.empty());

  s.timSchedule_Timer();
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{1, true}}));
  EXPECT_TRUE(s.ScheduleDone());
  EXPECT_FALSE(timSchedule.enabled());
  EXPECT_FALSE(tmrProcessSchedule.enabled());

  clock.set(at(2025, 3, 5, 8, 0, 30));
  tickAll();
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(SchedulerTest, TwoDueInOneMinuteOnlyTheFirstRuns) {
  load({record("a", "Reboot", "3/5/2025", "08:00:00"),
        record("b", "Log Off", "3/5/2025", "08:00:10")});
  clock.set(at(2025, 3, 5, 8, 0, 0));
  s.tmrScheduler_Timer();
  EXPECT_EQ(queued(), (std::deque<std::string>{"a", "b"}));
  s.tmrProcessSchedule_Timer();
  s.timSchedule_Timer();
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{2, true}}));
  EXPECT_TRUE(s.lstSchedule().empty());
  EXPECT_FALSE(tmrProcessSchedule.enabled());
}

TEST_F(SchedulerTest, PreventTickedThenClearedWithinTheMinuteStillFires) {
  load({record("a", "Reboot", "3/5/2025", "08:00:00")});
  prevent = true;
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tickAll();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(nextRunText("a"), "3/5/2025 08:00:00");
  prevent = false;
  clock.set(at(2025, 3, 5, 8, 0, 59));
  tickAll();
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(SchedulerTest, PreventedThroughTheMinuteNothingFiresLate) {
  load({record("once", "Reboot", "3/5/2025", "08:00:00"),
        record("daily", "Reboot", "3/1/2025", "08:00:00", true, 0)});
  prevent = true;
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tickAll();
  prevent = false;
  clock.set(at(2025, 3, 5, 8, 1, 0));
  tickAll();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(nextRunText("once"), "");
  EXPECT_EQ(nextRunText("daily"), "3/6/2025 08:00:00");
}

TEST_F(SchedulerTest, UnreadableNextRunTimeIsSkippedNotTheRest) {
  load({record("bad", "Reboot", "3/5/2025", "09:00:00"),
        record("good", "Log Off", "3/5/2025", "08:00:00")});
  list.setNextRunTime(0, "31/31/2025 08:00:00", {"M/d/yyyy"});
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tickAll();
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{0, true}}));
  EXPECT_EQ(nextRunText("bad"), "31/31/2025 08:00:00");
}

// After a run, a repeating entry shows its next run as a reload at that moment would.
TEST_F(SchedulerTest, RepeatingEntryShowsItsNextRunAfterFiring) {
  struct Case {
    ScheduleRecord r;
    local_seconds due;
    const char* next;
  };
  const Case cases[] = {
      {record("daily", "Reboot", "1/1/2025", "08:00:00", true, 0), at(2025, 3, 5, 8),
       "3/6/2025 08:00:00"},
      {record("weekly", "Reboot", "1/1/2025", "22:30:00", true, 1, "mon,fri"),
       at(2025, 3, 7, 22, 30), "3/10/2025 22:30:00"},
      {record("monthly", "Reboot", "1/1/2025", "06:00:00", true, 2, "31"), at(2025, 3, 31, 6),
       "5/31/2025 06:00:00"},
      {record("start", "Reboot", "3/8/2025", "14:00:00", true, 1, "wed"), at(2025, 3, 8, 14),
       "3/12/2025 14:00:00"},
  };
  for (const Case& c : cases) {
    clock.set(c.due - hours{1});
    load({c.r});
    clock.set(c.due + seconds{10});
    tickAll();
    EXPECT_EQ(runs.size(), 1u) << c.r.Name;
    EXPECT_EQ(nextRunText(c.r.Name), c.next);
    ScheduleList reloaded;
    loadScheduleList(reloaded, fs, codec, kFolder, clock.now(), regional.formats());
    EXPECT_EQ(reloaded.at(reloaded.findSchedule(c.r.Name) - 1).nextRunTime, c.next);
    runs.clear();
    ASSERT_FALSE(fs.deleteFile(scheduleFilePath(kFolder, c.r.Name)));
  }
}

TEST_F(SchedulerTest, MissedRunsMoveOnOrAreDropped) {
  load({record("daily", "Reboot", "1/1/2025", "08:00:00", true, 0),
        record("once", "Log Off", "3/5/2025", "08:00:00")});
  clock.set(at(2025, 3, 5, 7, 59));
  tickAll();
  clock.set(at(2025, 3, 5, 8, 3));  // asleep through 08:00
  tickAll();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(nextRunText("daily"), "3/6/2025 08:00:00");
  EXPECT_EQ(nextRunText("once"), "");
}

TEST_F(SchedulerTest, WakingInsideALaterRunsMinuteFiresThatRun) {
  load({record("daily", "Reboot", "1/1/2025", "08:00:00", true, 0)});
  clock.set(at(2025, 3, 6, 8, 0, 20));  // slept from before the 5th's run into the 6th's
  tickAll();
  EXPECT_EQ(runs.size(), 1u);
  EXPECT_EQ(nextRunText("daily"), "3/7/2025 08:00:00");
}

TEST_F(SchedulerTest, EntryGoneBeforeItsTurnRunsNothing) {
  load({record("a", "Reboot", "3/5/2025", "08:00:00")});
  clock.set(at(2025, 3, 5, 8));
  s.tmrScheduler_Timer();
  s.tmrProcessSchedule_Timer();
  list.clear();
  s.timSchedule_Timer();
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(s.ScheduleDone());
}

TEST(RunAction, MapsExactNamesToCodes) {
  const std::pair<const char*, int> known[] = {
      {"Log Off", 0}, {"Shut Down", 1}, {"Reboot", 2}, {"Hibernate", 5}, {"Stand by", 6}};
  for (auto [name, code] : known) {
    std::vector<std::pair<int, bool>> runs;
    runAction(name, false, [&](PowerAction a, bool f) -> Status {
      runs.emplace_back(powerActionCode(a), f);
      return std::nullopt;
    });
    EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{code, false}})) << name;
  }
  for (const char* other : {"Stand By", "shut down", "Reboot ", "", "Power Off"}) {
    runAction(other, true, [&](PowerAction, bool) -> Status {
      ADD_FAILURE() << other;
      return std::nullopt;
    });
  }
}

TEST(ScheduleList, FindsTheFirstExactMatchOneBased) {
  ScheduleList list;
  for (const char* name : {"a", "A", "a"}) list.add({.text = name}, std::nullopt);
  EXPECT_EQ(list.findSchedule("a"), 1u);
  EXPECT_EQ(list.findSchedule("A"), 2u);
  EXPECT_EQ(list.findSchedule("b"), 0u);
  EXPECT_EQ(list.findSchedule(""), 0u);
}

TEST_F(SchedulerTest, LoadFillsTheColumnsAndReportsChanges) {
  std::vector<ListChange::Kind> changes;
  list.setOnChange([&](const ListChange& c) { changes.push_back(c.kind); });
  ScheduleRecord off = record("off", "Hibernate", "", "");
  off.Enabled = false;
  load({record("on", "Stand by", "3/5/2025", "08:00:00"), off});
  ASSERT_EQ(list.count(), 2u);
  const char* row0[] = {"on", "Stand by", "", "3/5/2025 08:00:00", "Yes"};
  const char* row1[] = {"off", "Hibernate", "", "", "No"};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(list.column(0, c), row0[c]);
    EXPECT_EQ(list.column(1, c), row1[c]);
  }
  EXPECT_EQ(changes,
            (std::vector<ListChange::Kind>{ListChange::Kind::Reset, ListChange::Kind::Added,
                                           ListChange::Kind::Added}));
  const auto before = list.revision();
  clock.set(at(2025, 3, 5, 8));
  s.tmrScheduler_Timer();
  EXPECT_GT(list.revision(), before);
  EXPECT_EQ(changes.back(), ListChange::Kind::Updated);
}

TEST_F(SchedulerTest, QuickScheduleDelays) {
  struct Case {
    local_seconds now;
    const char* item;
    const char* next;
  };
  const Case cases[] = {
      {at(2025, 1, 31, 14, 5, 9), "In 1 Minute", "1/31/2025 14:06:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 5 Minutes", "1/31/2025 14:10:09"},
      {at(2025, 1, 31, 14, 5, 9), "in 15 Minutes", "1/31/2025 14:20:09"},
      {at(2025, 1, 31, 14, 5, 9), "in 30 Minutes", "1/31/2025 14:35:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 1 Hour", "1/31/2025 15:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 2 Hours", "1/31/2025 16:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 6 Hours", "1/31/2025 20:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 12 Hours", "2/1/2025 02:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 1 Day", "2/1/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 2 Days", "2/2/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 5 Days", "2/5/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 1 Week", "2/7/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 2 Weeks", "2/14/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 3 Weeks", "2/21/2025 14:05:09"},
      {at(2025, 1, 31, 14, 5, 9), "In 1 Month", "2/28/2025 14:05:09"},
      {at(2024, 1, 31, 14, 5, 9), "In 1 Month", "2/29/2024 14:05:09"},
      {at(2025, 12, 15, 23, 59, 59), "In 1 Month", "1/15/2026 23:59:59"},
      {at(2025, 1, 31, 14, 5, 9), "In 15 Minutes", ""},
      {at(2025, 1, 31, 14, 5, 9), "In 3 Months", ""},
  };
  for (const Case& c : cases) {
    clock.set(c.now);
    s.quickSchedule(c.item, "Reboot");
    EXPECT_EQ(list.at(list.count() - 1).nextRunTime, c.next) << c.item;
  }
  EXPECT_EQ(list.count(), std::size(cases));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SchedulerTest, QuickEntryIsNamedByTheMomentAndFiresOnce) {
  clock.set(at(2025, 1, 31, 14, 5, 9));
  s.quickSchedule("In 1 Minute", "Hibernate");
  const char* row[] = {"Quick Schedule 1/31/2025 2:05:09 PM", "Hibernate", "", "1/31/2025 14:06:09",
                       "Yes"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(list.column(0, c), row[c]);
  clock.set(at(2025, 1, 31, 14, 6, 0));
  tickAll();
  clock.set(at(2025, 1, 31, 14, 6, 30));
  tickAll();
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{5, true}}));
  EXPECT_EQ(list.column(0, ScheduleList::kNextRunTime), "");
}

TEST_F(SchedulerTest, TwoQuickEntriesOfOneSecondEachRunTheirOwnAction) {
  clock.set(at(2025, 1, 31, 14, 5, 9));
  s.quickSchedule("In 1 Minute", "Shut Down");
  s.quickSchedule("In 5 Minutes", "Reboot");
  ASSERT_EQ(list.at(0).text, list.at(1).text);
  clock.set(at(2025, 1, 31, 14, 10, 0));
  tickAll();
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{2, true}})) << "Reboot, not Shut Down";
}

TEST_F(SchedulerTest, QuickEntryMissedNeverFires) {
  clock.set(at(2025, 1, 31, 14, 5, 9));
  s.quickSchedule("In 1 Minute", "Hibernate");
  clock.set(at(2025, 1, 31, 14, 7, 0));
  tickAll();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(list.column(0, ScheduleList::kNextRunTime), "");
}

TEST_F(SchedulerTest, NowAsksFirstAndRunsOnlyOnOk) {
  dialogs.answer(MsgResult::Cancel);
  s.quickSchedule("Now", "Stand by");
  EXPECT_TRUE(runs.empty());
  dialogs.answer(MsgResult::Ok);
  s.quickSchedule("Now", "Stand by");
  EXPECT_EQ(runs, (std::vector<std::pair<int, bool>>{{6, true}}));
  EXPECT_EQ(list.count(), 0u);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "text of MSG_SURE");
  EXPECT_EQ(dialogs.shown[0].title, "Confirm Choice");
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
}

}  // namespace
}  // namespace quenmark
