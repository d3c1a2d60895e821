#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "core/power/suspend_blocker.h"
#include "support/fake_power_api.h"

namespace quenmark::win32 {
namespace {

// A real window of the form layer; its own answer to a power broadcast is DefWindowProc's.
struct Window {
  gui::Form form;
  Window(gui::Forms& forms, const char* name) : form(forms, name, {}) { form.load(); }
  LRESULT broadcast(WPARAM event, LPARAM lParam) {
    return SendMessageW(form.hwnd(), WM_POWERBROADCAST, event, lParam);
  }
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(form.hwnd()); }
};

struct SuspendBlockerTest : ::testing::Test {
  gui::Forms forms;
  Window main{forms, "frmMain"};
  testing::FakePowerApi power;
  SuspendBlocker blocker{main.form, power};
  SuspendBlockerTest() { blocker.setWindow(main.handle()); }
};

TEST_F(SuspendBlockerTest, RefusesThroughTheWindowsOwnMessagesWhileChecked) {
  EXPECT_NE(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny) << "not installed yet";
  blocker.DisableSuspend(true);
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  EXPECT_EQ(main.broadcast(PBT_APMRESUMEAUTOMATIC, 0), kBroadcastQueryDeny) << "any event";
  EXPECT_NE(main.broadcast(PBT_APMQUERYSUSPEND, 1), kBroadcastQueryDeny) << "lParam 1 passes";
  blocker.DisableSuspend(false);
  EXPECT_NE(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  blocker.DisableSuspend(true);
  EXPECT_EQ(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  // Other messages reach the window as before: it still unloads normally.
  SetWindowTextW(main.form.hwnd(), L"still mine");
  EXPECT_EQ(main.form.caption(), "still mine");
  blocker.release();
  EXPECT_NE(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  EXPECT_TRUE(blocker.DisableSuspend()) << "the flag itself is kept";
  EXPECT_TRUE(main.form.unload());
}

TEST_F(SuspendBlockerTest, EachBlockerKeepsItsOwnState) {
  Window other{forms, "frmOther"};
  SuspendBlocker second{other.form, power};
  second.setWindow(other.handle());
  blocker.DisableSuspend(true);
  second.DisableSuspend(true);
  blocker.release();
  EXPECT_NE(main.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  EXPECT_EQ(other.broadcast(PBT_APMQUERYSUSPEND, 0), kBroadcastQueryDeny);
  second.release();
}

}  // namespace
}  // namespace quenmark::win32
