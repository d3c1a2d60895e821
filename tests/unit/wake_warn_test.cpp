#include <gtest/gtest.h>

#include "core/schedule/scheduler.h"
#include "core/schedule/wake_timer.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_power_api.h"
#include "support/fake_timer.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

ScheduleRecord record(std::string name, std::string type, std::string time, bool daily = false) {
  ScheduleRecord r;
  r.Name = std::move(name);
  r.ItemType = std::move(type);
  r.Enabled = true;
  r.StartDate = "3/5/2025";
  r.StartTime = std::move(time);
  r.Repeat = daily;
  return r;
}

// The engine with both new settings under the test's hand, the wake timer against the fake.
class WakeWarnTest : public ::testing::Test {
 protected:
  void load(const std::vector<ScheduleRecord>& records) {
    loadScheduleList(list, records, clock.now(), regional.formats());
  }
  // The scan, the queue's hand-over and the action, as the window's timers run them.
  void tickAll() {
    s.tmrScheduler_Timer();
    if (tmrProcessSchedule.enabled()) s.tmrProcessSchedule_Timer();
    if (timSchedule.enabled()) s.timSchedule_Timer();
  }
  std::optional<local_seconds> wakeDue() const { return power.wakeDue(); }
  static std::optional<local_seconds> due(int h, int m, int day = 5) {
    return at(2025, 3, static_cast<unsigned>(day), h, m);
  }

  ScheduleList list;
  testing::FakeTimer tmrScheduler, tmrProcessSchedule, timSchedule;
  testing::FakeClock clock{at(2025, 3, 5, 7)};
  testing::FakeRegional regional{{"M/d/yyyy", "h:mm:ss tt", "AM", "PM"}};
  testing::FakeDialogs dialogs;
  testing::FakePowerApi power;
  WakeTimer wake{power};
  bool prevent = false, wakeOn = true, warnOn = false;
  int shown = 0;
  std::vector<int> runs;
  Scheduler s{{.list = list,
               .tmrScheduler = tmrScheduler,
               .tmrProcessSchedule = tmrProcessSchedule,
               .timSchedule = timSchedule,
               .clock = clock,
               .regional = regional,
               .dialogs = dialogs,
               .message = {},
               .chkPrevent = [this] { return prevent; },
               .shutDown = [this](PowerAction a, bool) -> Status {
                 runs.push_back(powerActionCode(a));
                 return std::nullopt;
               },
               .chkWake = [this] { return wakeOn; },
               .wake = &wake,
               .chkWarn = [this] { return warnOn; },
               .showCountdown = [this] { ++shown; }}};
};

TEST_F(WakeWarnTest, WakeTimerFollowsTheListThroughEveryChange) {
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), std::nullopt) << "nothing due, nothing set";

  load({record("late", "Shut Down", "22:00:00"), record("early", "Reboot", "08:00:00")});
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), due(8, 0)) << "added: the earliest of the two";

  s.quickSchedule("In 5 Minutes", "Log Off");
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), due(7, 5)) << "a quick entry before them";

  load({record("late", "Shut Down", "22:00:00")});
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), due(22, 0)) << "deleted: the reload leaves the later one";
  const int sets = power.wakeSets();
  s.tmrScheduler_Timer();
  EXPECT_EQ(power.wakeSets(), sets) << "no change, not set again";

  prevent = true;
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), std::nullopt) << "prevented: nothing will run";
  prevent = false;
  s.tmrScheduler_Timer();
  EXPECT_EQ(wakeDue(), due(22, 0));

  wakeOn = false;
  s.updateWakeTimer();
  EXPECT_EQ(wakeDue(), std::nullopt) << "setting off";
  wakeOn = true;
  s.updateWakeTimer();
  EXPECT_EQ(wakeDue(), due(22, 0));

  clock.set(at(2025, 3, 5, 22, 0, 5));
  tickAll();
  EXPECT_EQ(runs, std::vector<int>{1});
  EXPECT_EQ(wakeDue(), std::nullopt) << "fired: the one-time run was the last";
}

TEST_F(WakeWarnTest, ARepeatingEntryMovesTheTimerToItsNextRunWhenItFires) {
  load({record("daily", "Stand by", "08:00:00", true)});
  clock.set(at(2025, 3, 5, 8, 0, 1));
  tickAll();
  EXPECT_EQ(wakeDue(), due(8, 0, 6));
}

TEST_F(WakeWarnTest, OffByDefaultTheEngineNeverTouchesTheTimer) {
  Scheduler plain{{list, tmrScheduler, tmrProcessSchedule, timSchedule, clock, regional, dialogs,
                   {}, {}, [this](PowerAction a, bool) -> Status {
                     runs.push_back(powerActionCode(a));
                     return std::nullopt;
                   }}};
  load({record("a", "Reboot", "08:00:00")});
  clock.set(at(2025, 3, 5, 8, 0, 0));
  plain.tmrScheduler_Timer();
  plain.tmrProcessSchedule_Timer();
  plain.timSchedule_Timer();
  EXPECT_EQ(runs, std::vector<int>{2}) << "acts at once, no countdown";
  EXPECT_EQ(power.calls(), std::vector<std::string>{});
}

TEST_F(WakeWarnTest, TheTimerIsCancelledWhenItsKeeperGoes) {
  {
    WakeTimer keeper{power};
    keeper.aim(floor<minutes>(at(2025, 3, 6, 9)));
    EXPECT_EQ(wakeDue(), at(2025, 3, 6, 9));
  }
  EXPECT_EQ(wakeDue(), std::nullopt);
}

// The countdown: each answer, and the end at zero, from the moment a warned run fires.
TEST_F(WakeWarnTest, CountdownAnswersAndItsEnd) {
  warnOn = true;
  const struct {
    std::optional<CountdownAnswer> answer;  // none: let it run out
    int secondsBefore;                      // how long the user waits first
    std::vector<int> runs;
  } cases[] = {
      {CountdownAnswer::ActNow, 3, {2}},
      {CountdownAnswer::Cancel, 10, {}},
      {CountdownAnswer::Postpone, 29, {}},
      {std::nullopt, 29, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer ? static_cast<int>(*c.answer) : -1);
    runs.clear();
    shown = 0;
    clock.set(at(2025, 3, 5, 7));
    load({record("a", "Reboot", "08:00:00")});
    clock.set(at(2025, 3, 5, 8, 0, 0));
    tickAll();
    ASSERT_NE(s.countdown(), nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(s.countdown()->scheduleName, "a");
    EXPECT_EQ(s.countdown()->actionName, "Reboot");
    EXPECT_EQ(s.countdown()->secondsLeft(clock.now()), 30);
    EXPECT_TRUE(runs.empty());
    clock.advance(seconds{c.secondsBefore});
    tickAll();
    EXPECT_EQ(s.countdown()->secondsLeft(clock.now()), 30 - c.secondsBefore);
    if (c.answer) s.answerCountdown(*c.answer);
    EXPECT_EQ(runs, c.runs);
    EXPECT_EQ(s.countdown() != nullptr, !c.answer);
    if (!c.answer) {
      clock.advance(seconds{1});
      tickAll();
      EXPECT_EQ(runs, std::vector<int>{2}) << "acts at zero";
      EXPECT_EQ(s.countdown(), nullptr);
    }
    EXPECT_TRUE(s.ScheduleDone());
  }
  // The postponed run came back ten minutes after the answer, counting down again.
  clock.set(at(2025, 3, 5, 8, 9, 59));
  tickAll();
  EXPECT_EQ(s.countdown(), nullptr);
  clock.set(at(2025, 3, 5, 8, 10, 0));
  tickAll();
  ASSERT_NE(s.countdown(), nullptr);
  EXPECT_EQ(s.countdown()->scheduleName, "a");
  // Cancelled, a one-time run is gone for good: nothing to wake for, nothing coming back.
  runs.clear();
  s.answerCountdown(CountdownAnswer::Cancel);
  EXPECT_EQ(wakeDue(), std::nullopt);
  clock.set(at(2025, 3, 6, 8, 10, 0));
  tickAll();
  EXPECT_EQ(s.countdown(), nullptr);
  EXPECT_TRUE(runs.empty());
}

TEST_F(WakeWarnTest, PostponedRunSetsTheWakeTimerAndFiresInItsMinute) {
  warnOn = true;
  load({record("a", "Reboot", "08:00:00")});
  clock.set(at(2025, 3, 5, 8, 0, 20));
  tickAll();
  s.answerCountdown(CountdownAnswer::Postpone);
  EXPECT_EQ(wakeDue(), due(8, 10));
  warnOn = false;
  clock.set(at(2025, 3, 5, 8, 10, 0));
  tickAll();
  EXPECT_EQ(runs, std::vector<int>{2});
}

TEST_F(WakeWarnTest, ARepeatingEntryCancelledOnceFiresAtItsNextOccurrence) {
  warnOn = true;
  load({record("daily", "Shut Down", "08:00:00", true)});
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tickAll();
  s.answerCountdown(CountdownAnswer::Cancel);
  clock.set(at(2025, 3, 5, 8, 0, 40));
  tickAll();
  EXPECT_EQ(s.countdown(), nullptr) << "not again in the same minute";
  clock.set(at(2025, 3, 6, 8, 0, 0));
  tickAll();
  ASSERT_NE(s.countdown(), nullptr);
  clock.advance(seconds{30});
  tickAll();
  EXPECT_EQ(runs, std::vector<int>{1});
}

// Runs falling due during a countdown are queued; after Cancel they take their turn, after
// "Do it now" they are dropped, as behind any run.
TEST_F(WakeWarnTest, TheScanGoesOnDuringACountdown) {
  warnOn = true;
  for (const CountdownAnswer answer : {CountdownAnswer::Cancel, CountdownAnswer::ActNow}) {
    SCOPED_TRACE(static_cast<int>(answer));
    runs.clear();
    clock.set(at(2025, 3, 5, 7));
    load({record("a", "Reboot", "08:00:00"), record("b", "Log Off", "08:01:00")});
    clock.set(at(2025, 3, 5, 8, 0, 50));
    tickAll();
    ASSERT_NE(s.countdown(), nullptr);
    clock.set(at(2025, 3, 5, 8, 1, 0));
    tickAll();
    EXPECT_EQ(list.at(1).nextRunTime, "") << "b was queued in its minute";
    EXPECT_EQ(s.lstSchedule().size(), 1u);
    s.answerCountdown(answer);
    tickAll();
    tickAll();
    if (answer == CountdownAnswer::Cancel) {
      ASSERT_NE(s.countdown(), nullptr);
      EXPECT_EQ(s.countdown()->scheduleName, "b");
      s.answerCountdown(CountdownAnswer::Cancel);
    } else {
      EXPECT_EQ(s.countdown(), nullptr) << "b was dropped behind the run";
      EXPECT_EQ(runs, std::vector<int>{2});
    }
  }
}

}  // namespace
}  // namespace quenmark
