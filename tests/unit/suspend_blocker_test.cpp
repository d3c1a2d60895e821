#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/power/suspend_blocker.h"
#include "support/fake_power_api.h"
#include "support/fake_message_hook.h"

namespace quenmark {
namespace {

using testing::FakeMessageHook;
using testing::FakePowerApi;

constexpr std::intptr_t kOwnResult = FakeMessageHook::kOwnResult;

// The execution-state flags asked for, in order, from the recorded power calls.
std::vector<std::uint32_t> executionStates(const FakePowerApi& api) {
  std::vector<std::uint32_t> flags;
  const std::string call = "SetThreadExecutionState(flags=";
  for (const std::string& c : api.calls()) {
    if (c.rfind(call, 0) == 0) flags.push_back(std::stoul(c.substr(call.size()), nullptr, 16));
  }
  return flags;
}

constexpr WindowHandle kMain = 0x42;
constexpr std::uint32_t kHold = es::kContinuous | es::kSystemRequired;
constexpr std::uint32_t kLetGo = es::kContinuous;

struct Fixture {
  FakeMessageHook window;
  FakePowerApi power;
  SuspendBlocker blocker{window, power};
  Fixture() { blocker.setWindow(kMain); }
  std::intptr_t query() const { return window.send(kWmPowerBroadcast, 0, 0); }
};

enum class Ev { SetTrue, SetFalse, Release };

TEST(SuspendBlocker, FollowsTheStateTable) {
  const struct {
    const char* what;
    std::vector<Ev> events;
    std::vector<std::string> log;
    bool installed;
    bool flag;
  } cases[] = {
      {"not installed, set true: install", {Ev::SetTrue}, {"hook"}, true, true},
      {"not installed, set false: nothing", {Ev::SetFalse}, {}, false, false},
      {"installed, set true: nothing more", {Ev::SetTrue, Ev::SetTrue}, {"hook"}, true, true},
      {"installed, set false: restore", {Ev::SetTrue, Ev::SetFalse}, {"hook", "unhook"}, false,
       false},
      {"installed, released: restore, flag kept",
       {Ev::SetTrue, Ev::Release},
       {"hook", "unhook"},
       false,
       true},
      {"checked, unchecked, checked again",
       {Ev::SetTrue, Ev::SetFalse, Ev::SetTrue},
       {"hook", "unhook", "hook"},
       true,
       true},
      {"released twice restores once",
       {Ev::SetTrue, Ev::Release, Ev::Release},
       {"hook", "unhook"},
       false,
       true},
  };
  for (const auto& c : cases) {
    Fixture f;
    for (Ev e : c.events) {
      if (e == Ev::Release) {
        f.blocker.release();
      } else {
        f.blocker.DisableSuspend(e == Ev::SetTrue);
      }
    }
    EXPECT_EQ(f.window.log, c.log) << c.what;
    EXPECT_EQ(f.blocker.installed(), c.installed) << c.what;
    EXPECT_EQ(f.blocker.DisableSuspend(), c.flag) << c.what;
    EXPECT_EQ(f.query(), c.installed && c.flag ? kBroadcastQueryDeny : kOwnResult) << c.what;
  }
}

TEST(SuspendBlocker, RefusesEveryPowerBroadcastWithLParamZeroWhileSet) {
  const struct {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool refused;
  } cases[] = {
      {0x218, 0, 0, true},   // PBT_APMQUERYSUSPEND
      {0x218, 7, 0, true},   // any event: the test is on lParam only
      {0x218, 0, 1, false},  // the application may ask the user: passed on
      {0x010, 0, 0, false},  // WM_CLOSE
  };
  for (const auto& c : cases) {
    Fixture f;
    f.blocker.DisableSuspend(true);
    EXPECT_EQ(f.window.send(c.message, c.wParam, c.lParam),
              c.refused ? kBroadcastQueryDeny : kOwnResult)
        << c.message << " " << c.wParam << " " << c.lParam;
  }
}

TEST(SuspendBlocker, FailedInstallBlocksNothingAndRestoresNothing) {
  for (bool beforeInitialize : {true, false}) {
    Fixture f;
    if (beforeInitialize) f.blocker.setWindow(0);
    f.window.exists = beforeInitialize;
    f.blocker.DisableSuspend(true);
    EXPECT_TRUE(f.blocker.DisableSuspend());
    EXPECT_FALSE(f.blocker.installed());
    EXPECT_EQ(f.query(), kOwnResult);
    f.blocker.DisableSuspend(false);
    EXPECT_EQ(f.window.log, beforeInitialize ? std::vector<std::string>{}
                                             : std::vector<std::string>{"hook"});
  }
}

// Since Windows Vista the refusal alone keeps nothing awake: the flag also holds the system
// through the execution state, and lets it go again.
TEST(SuspendBlockerExecutionState, HeldWhileTheFlagIsSet) {
  const struct {
    const char* what;
    std::vector<Ev> events;
    std::vector<std::uint32_t> calls;
  } cases[] = {
      {"set true holds", {Ev::SetTrue}, {kHold}},
      {"set true twice holds once", {Ev::SetTrue, Ev::SetTrue}, {kHold}},
      {"set false lets go", {Ev::SetTrue, Ev::SetFalse}, {kHold, kLetGo}},
      {"set false alone asks nothing", {Ev::SetFalse}, {}},
      {"release lets go", {Ev::SetTrue, Ev::Release}, {kHold, kLetGo}},
      {"release when not held asks nothing", {Ev::Release}, {}},
      {"held again after unchecking",
       {Ev::SetTrue, Ev::SetFalse, Ev::SetTrue},
       {kHold, kLetGo, kHold}},
  };
  for (const auto& c : cases) {
    Fixture f;
    for (Ev e : c.events) {
      if (e == Ev::Release) {
        f.blocker.release();
      } else {
        f.blocker.DisableSuspend(e == Ev::SetTrue);
      }
    }
    EXPECT_EQ(executionStates(f.power), c.calls) << c.what;
  }
}

TEST(SuspendBlockerExecutionState, HeldEvenWhenTheWindowCannotBeHooked) {
  FakeMessageHook window;
  FakePowerApi power;
  SuspendBlocker blocker(window, power);
  blocker.DisableSuspend(true);
  EXPECT_EQ(executionStates(power), (std::vector<std::uint32_t>{kHold}));
}

TEST(SuspendBlockerExecutionState, RefusedHoldIsAskedAgainAtTheNextSet) {
  Fixture f;
  f.power.fail("SetThreadExecutionState");
  f.blocker.DisableSuspend(true);
  f.blocker.DisableSuspend(true);
  EXPECT_EQ(executionStates(f.power), (std::vector<std::uint32_t>{kHold, kHold}));
}

TEST(SuspendBlockerExecutionState, DestructionLetsGoAndRestores) {
  FakeMessageHook window;
  FakePowerApi power;
  {
    SuspendBlocker blocker(window, power);
    blocker.setWindow(kMain);
    blocker.DisableSuspend(true);
  }
  EXPECT_TRUE(window.handlers.empty());
  EXPECT_EQ(executionStates(power), (std::vector<std::uint32_t>{kHold, kLetGo}));
}

}  // namespace
}  // namespace quenmark
