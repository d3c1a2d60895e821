#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "power/suspend_blocker.h"
#include "support/fake_power_api.h"
#include "support/fake_window_procs.h"

namespace quenmark {
namespace {

using testing::FakePowerApi;
using testing::FakeWindowProcs;

constexpr WindowProcAddress kOwnProc = 0x1000;
constexpr WindowProcAddress kBlockerProc = FakeWindowProcs::kBlockerProc;
constexpr std::intptr_t kOwnResult = FakeWindowProcs::kOwnResult;

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
  FakeWindowProcs procs;
  FakePowerApi power;
  SuspendBlocker blocker{procs, power};
  Fixture() {
    procs.procs[kMain] = kOwnProc;
    blocker.setWindow(kMain);
  }
};

enum class Ev { SetTrue, SetFalse, Release };

TEST(SuspendBlocker, FollowsTheStateTable) {
  const struct {
    const char* what;
    std::vector<Ev> events;
    std::vector<std::string> log;
    bool installed;
    bool flag;
    WindowProcAddress windowProc;
  } cases[] = {
      {"not installed, set true: install", {Ev::SetTrue}, {"install"}, true, true, kBlockerProc},
      {"not installed, set false: nothing", {Ev::SetFalse}, {}, false, false, kOwnProc},
      {"installed, set true: nothing more",
       {Ev::SetTrue, Ev::SetTrue},
       {"install"},
       true,
       true,
       kBlockerProc},
      {"installed, set false: restore",
       {Ev::SetTrue, Ev::SetFalse},
       {"install", "restore"},
       false,
       false,
       kOwnProc},
      {"installed, released: restore, flag kept",
       {Ev::SetTrue, Ev::Release},
       {"install", "restore"},
       false,
       true,
       kOwnProc},
      {"checked, unchecked, checked again",
       {Ev::SetTrue, Ev::SetFalse, Ev::SetTrue},
       {"install", "restore", "install"},
       true,
       true,
       kBlockerProc},
      {"released twice restores once",
       {Ev::SetTrue, Ev::Release, Ev::Release},
       {"install", "restore"},
       false,
       true,
       kOwnProc},
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
    EXPECT_EQ(f.procs.log, c.log) << c.what;
    EXPECT_EQ(f.blocker.installed(), c.installed) << c.what;
    EXPECT_EQ(f.blocker.DisableSuspend(), c.flag) << c.what;
    EXPECT_EQ(f.procs.procs[kMain], c.windowProc) << c.what;
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
    std::intptr_t r = f.blocker.SuspendBlockerProc(kMain, c.message, c.wParam, c.lParam);
    if (c.refused) {
      EXPECT_EQ(r, kBroadcastQueryDeny);
      EXPECT_TRUE(f.procs.passed.empty());
    } else {
      EXPECT_EQ(r, kOwnResult);
      ASSERT_EQ(f.procs.passed.size(), 1u);
      EXPECT_EQ(f.procs.passed[0].to, kOwnProc) << "handed to the replaced procedure";
      EXPECT_EQ(f.procs.passed[0].message, c.message);
      EXPECT_EQ(f.procs.passed[0].lParam, c.lParam);
    }
  }
}

TEST(SuspendBlocker, FailedInstallBlocksNothingAndRestoresNothing) {
  FakeWindowProcs procs;
  FakePowerApi power;
  SuspendBlocker blocker(procs, power);  // no window yet, as before Initialize
  blocker.DisableSuspend(true);
  EXPECT_TRUE(blocker.DisableSuspend());
  EXPECT_FALSE(blocker.installed());
  blocker.DisableSuspend(false);
  EXPECT_EQ(procs.log, (std::vector<std::string>{"install"}));
}

TEST(SuspendBlocker, RestoresTheWindowItWasInstalledOn) {
  Fixture f;
  WindowHandle other = 0x99;
  f.procs.procs[other] = 0x3000;
  f.blocker.DisableSuspend(true);
  f.blocker.setWindow(other);
  f.blocker.DisableSuspend(false);
  EXPECT_EQ(f.procs.procs[kMain], kOwnProc);
  EXPECT_EQ(f.procs.procs[other], 0x3000);
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

TEST(SuspendBlockerExecutionState, HeldEvenWhenTheWindowCannotBeSubclassed) {
  FakeWindowProcs procs;
  FakePowerApi power;
  SuspendBlocker blocker(procs, power);
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
  FakeWindowProcs procs;
  FakePowerApi power;
  procs.procs[kMain] = kOwnProc;
  {
    SuspendBlocker blocker(procs, power);
    blocker.setWindow(kMain);
    blocker.DisableSuspend(true);
  }
  EXPECT_EQ(procs.procs[kMain], kOwnProc);
  EXPECT_EQ(executionStates(power), (std::vector<std::uint32_t>{kHold, kLetGo}));
}

}  // namespace
}  // namespace quenmark
