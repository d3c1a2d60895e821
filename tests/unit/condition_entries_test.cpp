#include <gtest/gtest.h>

#include <algorithm>

#include "core/i18n/default_messages.h"
#include "support/fake_meters.h"
#include "support/schedule_service_fixture.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

constexpr const char* kHeld = "SetThreadExecutionState(flags=0x80000001)";
constexpr const char* kReleased = "SetThreadExecutionState(flags=0x80000000)";

std::string english(const std::string& key) {
  for (const DefaultMessage& m : defaultMessages()) {
    if (m.key == key) return std::string(m.text);
  }
  return {};
}

// The schedule service over the fake meters, started as the main window's load does;
// "Warn 30 seconds..." stays off throughout.
class ConditionEntriesTest : public testing::ScheduleServiceFixture {
 protected:
  ConditionEntriesTest() : ScheduleServiceFixture(at(2025, 3, 5, 7, 30), english, &meters) {
    start();
    service.reload();
    service.power();
    meters.startProgram(42, "notepad.exe", 7);
  }
  // Time passes as the window's timers see it: two scans a second.
  void run(seconds s) {
    for (int i = 0; i < 2 * s.count(); ++i) {
      meters.pass(500);
      if (i % 2) clock.advance(1s);
      tick();
    }
  }
  void whenNotepadEnds() {
    service.whenCondition({.kind = ConditionKind::ProgramEnds, .processId = 42,
                           .processStarted = 7, .fileName = "notepad.exe"},
                          "Shut Down");
  }
  std::string lastExecutionState() const {
    const auto& c = power.calls();
    const auto last = std::find_if(c.rbegin(), c.rend(), [](const std::string& call) {
      return call.starts_with("SetThreadExecutionState");
    });
    return last == c.rend() ? "" : *last;
  }
  bool refusesSuspend() const {
    return window.send(kWmPowerBroadcast, 0, 0) == kBroadcastQueryDeny;
  }
  const ScheduleEntry& entry(std::size_t i = 0) const { return service.list().at(i); }

  testing::FakeMeters meters;
};

// The user did not choose the moment: whatever "Warn 30 seconds..." says, the action comes
// through the countdown, and each answer does what it says.
TEST_F(ConditionEntriesTest, TheCountdownIsAlwaysShownAndEachAnswerDoesItsPart) {
  const struct {
    const char* what;
    std::optional<CountdownAnswer> answer;  // none: the 30 seconds run out
    long shutdowns;
    bool entryStays;
  } cases[] = {
      {"Do it now", CountdownAnswer::ActNow, 1, true},
      {"Cancel", CountdownAnswer::Cancel, 0, false},
      {"the end of the countdown", std::nullopt, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    service.reload();
    meters.startProgram(42, "notepad.exe", 7);
    whenNotepadEnds();
    EXPECT_EQ(entry().nextRunTime, "When notepad.exe ends; the computer is kept awake");
    run(3s);
    EXPECT_EQ(service.countdown(), nullptr) << "still running";
    const long before = shutdowns();
    meters.endProgram(42);
    run(2s);
    ASSERT_NE(service.countdown(), nullptr);
    EXPECT_EQ(service.countdown()->scheduleName, entry().text);
    EXPECT_EQ(shutdowns(), before);
    if (c.answer) {
      service.answerCountdown(*c.answer);
    } else {
      run(31s);
    }
    EXPECT_EQ(service.countdown(), nullptr);
    EXPECT_EQ(shutdowns() - before, c.shutdowns);
    EXPECT_EQ(service.list().count(), c.entryStays ? 1u : 0u);
    if (c.entryStays) {
      EXPECT_EQ(entry().nextRunTime, "") << "done, like a quick entry that fired";
    }
    EXPECT_TRUE(service.conditions().empty());
    run(15s);
    EXPECT_EQ(service.countdown(), nullptr) << "never again";
  }
}

// Postponed, it comes back in ten minutes: through the countdown again while the condition
// holds, or to waiting when it no longer does.
TEST_F(ConditionEntriesTest, PostponeActsIfTheConditionStillHoldsOrWaitsForItAgain) {
  service.whenCondition({.kind = ConditionKind::ProgramEnds, .fileName = "render.exe"},
                        "Reboot");
  meters.startProgram(50, "render.exe", 11);
  run(2s);
  meters.endProgram(50);
  run(2s);
  ASSERT_NE(service.countdown(), nullptr);
  service.answerCountdown(CountdownAnswer::Postpone);
  meters.startProgram(60, "render.exe", 12);  // started again meanwhile
  run(10min);
  EXPECT_EQ(service.countdown(), nullptr) << "no longer holds";
  EXPECT_EQ(entry().nextRunTime, "When render.exe ends; the computer is kept awake");
  meters.endProgram(60);
  run(2s);
  ASSERT_NE(service.countdown(), nullptr) << "ended again: it fires";
  service.answerCountdown(CountdownAnswer::Postpone);
  run(9min + 53s);
  EXPECT_EQ(service.countdown(), nullptr);
  run(2s);
  ASSERT_NE(service.countdown(), nullptr) << "ten minutes on, still ended";
  service.answerCountdown(CountdownAnswer::ActNow);
  EXPECT_EQ(std::count(power.calls().begin(), power.calls().end(),
                       "ExitWindowsEx(flags=6, reserved=0)"),
            1);
}

// The computer is kept awake (the suspend query refused, the execution state held) from the
// first entry that waits to the last one gone, beside the user's own switch.
TEST_F(ConditionEntriesTest, KeepsTheComputerAwakeWhileAnEntryWaitsAndNoLonger) {
  EXPECT_EQ(lastExecutionState(), "");
  EXPECT_FALSE(refusesSuspend());
  whenNotepadEnds();
  service.whenCondition({.kind = ConditionKind::NoInput, .minutes = 30}, "Log Off");
  EXPECT_EQ(lastExecutionState(), kHeld);
  EXPECT_TRUE(refusesSuspend());
  meters.endProgram(42);
  run(2s);
  service.answerCountdown(CountdownAnswer::Cancel);
  EXPECT_EQ(lastExecutionState(), kHeld) << "one still waits";
  service.reload();  // Delete reads the list afresh: quick entries go
  EXPECT_EQ(lastExecutionState(), kReleased);
  EXPECT_FALSE(refusesSuspend());

  service.power().DisableSuspend(true);
  whenNotepadEnds();
  service.reload();
  EXPECT_EQ(lastExecutionState(), kHeld) << "the user's switch still holds it";
  EXPECT_TRUE(refusesSuspend());
  service.power().DisableSuspend(false);
  whenNotepadEnds();
  service.stop();
  EXPECT_EQ(lastExecutionState(), kReleased) << "the program ends";
}

// "Prevent any schedules from running" holds them while they go on measuring; the meters are
// read once a second, however many entries wait and however often the scan runs.
TEST_F(ConditionEntriesTest, PreventHoldsThemAndTheMetersAreReadOnceASecond) {
  service.setPaused(true);
  service.whenCondition({.kind = ConditionKind::ProcessorBelow, .minutes = 1, .limit = 5},
                        "Shut Down");
  service.whenCondition({.kind = ConditionKind::ProcessorBelow, .minutes = 2, .limit = 50},
                        "Reboot");
  run(70s);
  EXPECT_EQ(meters.calls["processorTimes"], 70);
  EXPECT_EQ(meters.calls["sinceLastInput"], 0) << "no entry waits for it";
  EXPECT_EQ(service.countdown(), nullptr);
  EXPECT_EQ(entry(0).nextRunTime, "CPU 0 %, 1 of 1 min below 5 %; the computer is kept awake");
  service.setPaused(false);
  run(1s);
  ASSERT_NE(service.countdown(), nullptr);
  EXPECT_EQ(service.countdown()->actionName, "Shut Down");
}

}  // namespace
}  // namespace quenmark
