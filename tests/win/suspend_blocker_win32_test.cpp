#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "power/suspend_blocker_win32.h"
#include "support/fake_power_api.h"

namespace quenmark::win32 {
namespace {

constexpr LRESULT kOwnAnswer = 123;

// A real window whose own procedure answers power broadcasts with kOwnAnswer and counts them.
struct Window {
  gui::Form form;
  int seen = 0;
  Window(gui::Forms& forms, const char* name) : form(forms, name, {}) {
    form.hookMessage(WM_POWERBROADCAST, [this](WPARAM, LPARAM) -> LRESULT {
      ++seen;
      return kOwnAnswer;
    });
    form.load();
  }
  LRESULT broadcast(WPARAM event, LPARAM lParam) {
    return SendMessageW(form.hwnd(), WM_POWERBROADCAST, event, lParam);
  }
  LONG_PTR procedure() const { return GetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC); }
};

struct SuspendBlockerTest : ::testing::Test {
  gui::Forms forms;
  Window main{forms, "frmMain"};
  WindowProcSubclass procs;
  testing::FakePowerApi power;
  SuspendBlocker blocker{procs, power};
  LONG_PTR own = main.procedure();
  SuspendBlockerTest() { blocker.setWindow(reinterpret_cast<WindowHandle>(main.form.hwnd())); }
};

TEST_F(SuspendBlockerTest, CheckedUncheckedAndCheckedAgain) {
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kOwnAnswer) << "not installed yet";

  blocker.DisableSuspend(true);
  EXPECT_EQ(main.procedure(), reinterpret_cast<LONG_PTR>(&SuspendBlockerProc));
  int seen = main.seen;
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  EXPECT_EQ(main.broadcast(PBT_APMRESUMEAUTOMATIC, 0), kBroadcastQueryDeny) << "any event";
  EXPECT_EQ(main.seen, seen) << "refused broadcasts never reach the window";
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 1), kOwnAnswer) << "lParam 1 is passed on";
  EXPECT_EQ(main.seen, seen + 1);

  blocker.DisableSuspend(false);
  EXPECT_EQ(main.procedure(), own);
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kOwnAnswer);

  blocker.DisableSuspend(true);
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  EXPECT_EQ(power.calls(), (std::vector<std::string>{"SetThreadExecutionState(flags=0x80000001)",
                                                     "SetThreadExecutionState(flags=0x80000000)",
                                                     "SetThreadExecutionState(flags=0x80000001)"}));
}

TEST_F(SuspendBlockerTest, ReleaseGivesTheWindowItsOwnProcedureBack) {
  blocker.DisableSuspend(true);
  blocker.release();
  EXPECT_EQ(main.procedure(), own);
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kOwnAnswer);
  EXPECT_TRUE(blocker.DisableSuspend()) << "the flag itself is kept";
  EXPECT_EQ(power.calls().back(), "SetThreadExecutionState(flags=0x80000000)");
  // Other messages reach the window's procedure as before: it still unloads normally.
  EXPECT_TRUE(main.form.unload());
}

TEST_F(SuspendBlockerTest, OtherMessagesPassThroughTheBlocker) {
  blocker.DisableSuspend(true);
  SetWindowTextW(main.form.hwnd(), L"still mine");
  EXPECT_EQ(main.form.caption(), "still mine");
  EXPECT_TRUE(main.form.unload()) << "WM_CLOSE and the destruction pass through";
}

TEST_F(SuspendBlockerTest, EachBlockerKeepsItsOwnState) {
  Window other{forms, "frmOther"};
  SuspendBlocker second{procs, power};
  second.setWindow(reinterpret_cast<WindowHandle>(other.form.hwnd()));
  blocker.DisableSuspend(true);
  second.DisableSuspend(true);
  blocker.release();
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kOwnAnswer);
  EXPECT_EQ(other.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  second.release();
}

}  // namespace
}  // namespace quenmark::win32
