#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "power/suspend_blocker.h"

namespace quenmark {
namespace {

constexpr WindowProcAddress kOwnProc = 0x1000;
constexpr WindowProcAddress kBlockerProc = 0x2000;
constexpr std::intptr_t kOwnResult = 77;

// Windows as a map from handle to its current procedure; messages handed on are recorded
// and answered by the "own" procedure with kOwnResult.
class FakeWindowProcs : public WindowProcSeam {
 public:
  std::map<WindowHandle, WindowProcAddress> procs;
  std::vector<std::string> log;
  struct Passed {
    WindowProcAddress to;
    std::uint32_t message;
    std::intptr_t lParam;
  };
  std::vector<Passed> passed;

  WindowProcAddress install(WindowHandle window, SuspendBlocker&) override {
    log.push_back("install");
    auto it = procs.find(window);
    if (it == procs.end()) return 0;
    return std::exchange(it->second, kBlockerProc);
  }
  void restore(WindowHandle window, WindowProcAddress previous) override {
    log.push_back("restore");
    procs[window] = previous;
  }
  std::intptr_t callPrevious(WindowProcAddress previous, WindowHandle, std::uint32_t message,
                             std::uintptr_t, std::intptr_t lParam) override {
    passed.push_back({previous, message, lParam});
    return kOwnResult;
  }
};

class FakeExecutionState : public ExecutionState {
 public:
  std::vector<std::uint32_t> calls;
  bool fail = false;
  std::uint32_t setThreadExecutionState(std::uint32_t flags) override {
    calls.push_back(flags);
    return fail ? 0 : es::kContinuous;
  }
};

WindowHandle const kMain = reinterpret_cast<WindowHandle>(0x42);
constexpr std::uint32_t kHold = es::kContinuous | es::kSystemRequired;
constexpr std::uint32_t kLetGo = es::kContinuous;

struct Fixture {
  FakeWindowProcs procs;
  FakeExecutionState state;
  SuspendBlocker blocker{procs, state};
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
  FakeExecutionState state;
  SuspendBlocker blocker(procs, state);  // no window yet, as before Initialize
  blocker.DisableSuspend(true);
  EXPECT_TRUE(blocker.DisableSuspend());
  EXPECT_FALSE(blocker.installed());
  blocker.DisableSuspend(false);
  EXPECT_EQ(procs.log, (std::vector<std::string>{"install"}));
}

TEST(SuspendBlocker, RestoresTheWindowItWasInstalledOn) {
  Fixture f;
  WindowHandle other = reinterpret_cast<WindowHandle>(0x99);
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
    EXPECT_EQ(f.state.calls, c.calls) << c.what;
  }
}

TEST(SuspendBlockerExecutionState, HeldEvenWhenTheWindowCannotBeSubclassed) {
  FakeWindowProcs procs;
  FakeExecutionState state;
  SuspendBlocker blocker(procs, state);
  blocker.DisableSuspend(true);
  EXPECT_EQ(state.calls, (std::vector<std::uint32_t>{kHold}));
}

TEST(SuspendBlockerExecutionState, RefusedHoldIsAskedAgainAtTheNextSet) {
  Fixture f;
  f.state.fail = true;
  f.blocker.DisableSuspend(true);
  f.state.fail = false;
  f.blocker.DisableSuspend(true);
  f.blocker.DisableSuspend(true);
  EXPECT_EQ(f.state.calls, (std::vector<std::uint32_t>{kHold, kHold}));
}

TEST(SuspendBlockerExecutionState, DestructionLetsGoAndRestores) {
  FakeWindowProcs procs;
  FakeExecutionState state;
  procs.procs[kMain] = kOwnProc;
  {
    SuspendBlocker blocker(procs, state);
    blocker.setWindow(kMain);
    blocker.DisableSuspend(true);
  }
  EXPECT_EQ(procs.procs[kMain], kOwnProc);
  EXPECT_EQ(state.calls, (std::vector<std::uint32_t>{kHold, kLetGo}));
}

}  // namespace
}  // namespace quenmark
