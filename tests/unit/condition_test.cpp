#include <gtest/gtest.h>

#include <functional>

#include "core/conditions/condition_text.h"
#include "core/conditions/condition_watch.h"
#include "core/i18n/default_messages.h"
#include "support/fake_meters.h"

namespace quenmark {
namespace {

using testing::FakeMeters;

// The built-in English texts, as the catalogue holds them before any file is read.
std::string english(const std::string& key) {
  for (const DefaultMessage& m : defaultMessages()) {
    if (m.key == key) return std::string(m.text);
  }
  return {};
}

// Samples the condition once a second, `world` setting the meters before each sample;
// the first sample at which the condition holds, or -1.
int firstHolding(const Condition& c, const std::function<void(FakeMeters&, int)>& world,
                 FakeMeters& m, int seconds = 400) {
  ConditionWatch watch(c);
  for (int s = 0; s < seconds; ++s) {
    world(m, s);
    MeterSample sample(m);
    if (watch.sample(sample)) return s;
    m.pass(1000);
  }
  return -1;
}

// Each kind fires at the sample where its condition first holds, and not one before.
TEST(ConditionWatch, EachConditionFiresAtTheRightSampleAndNotBefore) {
  const struct {
    const char* what;
    Condition condition;
    std::function<void(FakeMeters&, int)> world;
    int firesAt;
  } cases[] = {
      {"a picked program ends",
       {.kind = ConditionKind::ProgramEnds, .processId = 42, .processStarted = 7,
        .fileName = "notepad.exe"},
       [](FakeMeters& m, int s) {
         if (s == 0) m.startProgram(42, "notepad.exe", 7);
         if (s == 5) m.endProgram(42);
       },
       5},
      // The id is handed to another program the moment the first ends: still ended.
      {"its id taken by another program",
       {.kind = ConditionKind::ProgramEnds, .processId = 42, .processStarted = 7,
        .fileName = "notepad.exe"},
       [](FakeMeters& m, int s) {
         if (s == 0) m.startProgram(42, "notepad.exe", 7);
         if (s == 3) m.startProgram(42, "other.exe", 9);
       },
       3},
      // A start time that cannot be read (another account's program) proves nothing.
      {"its start unreadable for a while",
       {.kind = ConditionKind::ProgramEnds, .processId = 42, .processStarted = 7,
        .fileName = "x.exe"},
       [](FakeMeters& m, int s) {
         if (s == 0) m.startProgram(42, "x.exe", 7);
         if (s == 2) m.programs[42].started = 0;
         if (s == 6) m.endProgram(42);
       },
       6},
      // By name: waits for it to start, then for every instance to end.
      {"a program typed by name",
       {.kind = ConditionKind::ProgramEnds, .fileName = "C:\\Tools\\Render"},
       [](FakeMeters& m, int s) {
         if (s == 3) m.startProgram(50, "RENDER.EXE", 11);
         if (s == 5) m.startProgram(51, "render.exe", 12);
         if (s == 6) m.endProgram(50);
         if (s == 9) m.endProgram(51);
       },
       9},
      {"no input for 2 minutes",
       {.kind = ConditionKind::NoInput, .minutes = 2},
       [](FakeMeters& m, int s) {
         if (s == 30) m.idleMs = 0;  // a key pressed
       },
       150},
      // 50 % for the first 10 s, then nothing: the 1-minute average drops below 5 % once
      // less than 6 of those seconds lie in the window (a rule of "every sample below" would
      // wait for all 10 to leave it).
      {"processor below 5 % for a minute",
       {.kind = ConditionKind::ProcessorBelow, .minutes = 1, .limit = 5},
       [](FakeMeters& m, int s) { m.busyPercent = s < 10 ? 50 : 0; },
       65},
      // A burst of 2 s at 100 KB/s averages 3 KB/s over the first whole minute.
      {"network below 10 KB/s for a minute",
       {.kind = ConditionKind::NetworkBelow, .minutes = 1, .limit = 10},
       [](FakeMeters& m, int s) { m.kbPerSecond = s < 2 ? 100 : 0; },
       60},
      {"battery below 20 % once unplugged",
       {.kind = ConditionKind::BatteryBelow, .limit = 20},
       [](FakeMeters& m, int s) {
         m.batteryState = {.present = true, .onMains = s < 4, .percent = 30 - 3 * s};
       },
       4},
      {"no battery never holds",
       {.kind = ConditionKind::BatteryBelow, .limit = 20},
       [](FakeMeters& m, int) { m.batteryState = {.present = false, .onMains = false, .percent = 0}; },
       -1},
  };
  for (const auto& c : cases) {
    FakeMeters m;
    EXPECT_EQ(firstHolding(c.condition, c.world, m), c.firesAt) << c.what;
  }
}

// The column shows the present value and for how long the average has stayed below the
// limit, counted back from now over the longest span that is.
TEST(ConditionWatch, ShowsThePresentValueAndHowLongTheAverageHasBeenBelow) {
  FakeMeters m;
  ConditionWatch watch({.kind = ConditionKind::ProcessorBelow, .minutes = 10, .limit = 5});
  auto second = [&](double busy) {
    m.busyPercent = busy;
    m.pass(1000);
    MeterSample s(m);
    watch.sample(s);
  };
  for (int s = 0; s < 300; ++s) second(30);
  for (int s = 0; s < 120; ++s) second(0);
  second(34);
  EXPECT_EQ(describeCondition(watch.condition(), watch.status(), english),
            "CPU 34 %, 2 of 10 min below 5 %; the computer is kept awake");
  EXPECT_FALSE(watch.holds());

  ConditionWatch named({.kind = ConditionKind::ProgramEnds, .fileName = "backup"});
  EXPECT_EQ(describeCondition(named.condition(), named.status(), english),
            "When backup.exe ends (not running yet); the computer is kept awake");
}

// A long window keeps a bounded number of readings, and a pause in sampling (the computer
// slept) is not taken for a quiet spell.
TEST(AverageWindow, BoundedAndRestartedAfterAGap) {
  AverageWindow w(24 * 60 * 60'000ull);
  std::uint64_t tick = 0, busy = 0, total = 0;
  for (int s = 0; s < 24 * 3600 + 5; ++s, tick += 1000, total += 1000) w.add(tick, busy, total);
  EXPECT_TRUE(w.below(5, 100)) << "a whole quiet day";
  EXPECT_LE(w.size(), AverageWindow::kMaxReadings + 10) << "about one a 144 s";

  AverageWindow minute(60'000);
  for (int s = 0; s <= 30; ++s) minute.add(s * 1000ull, 0, s * 1000ull);
  minute.add(30'000 + 3600'000, 0, 31'000);  // an hour later, a second of time measured
  for (int s = 1; s < 60; ++s) minute.add(3630'000 + s * 1000ull, 0, 31'000 + s * 1000ull);
  EXPECT_FALSE(minute.below(5, 100)) << "59 s measured since the gap";
  minute.add(3690'000, 0, 91'000);
  EXPECT_TRUE(minute.below(5, 100));
}

}  // namespace
}  // namespace quenmark
