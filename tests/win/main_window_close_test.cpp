#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "core/presentation/tray_icon.h"
#include "windows/tray_icon_window.h"
#include "core/power/suspend_blocker.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"

namespace quenmark::testing {
namespace {

constexpr const char* kHold = "SetThreadExecutionState(flags=0x80000001)";
constexpr const char* kLetGo = "SetThreadExecutionState(flags=0x80000000)";

void CALLBACK endMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

void userCloses(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

struct CloseCase {
  const char* alwaysExit;  // nullptr: never stored
  const char* noShow;
  bool exits;
  bool notice;
};

class CloseRequestTest : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseRequestTest, HidesToTheTrayOrExitsAsTheSettingsSay) {
  const CloseCase& c = GetParam();
  if (c.alwaysExit) app.options.set(Setting::chkAlwaysExit, c.alwaysExit);
  if (c.noShow) app.options.set(Setting::chkNoShow, c.noShow);
  load();
  userCloses(main->hwnd());
  EXPECT_EQ(!main->loaded(), c.exits);
  EXPECT_FALSE(main->visible());
  EXPECT_EQ(opened == std::vector<std::string>{"stillRunning"}, c.notice);
  EXPECT_FALSE(main->exitRequested()) << "only an exit request sets it";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CloseRequestTest,
    ::testing::Values(CloseCase{nullptr, nullptr, false, true}, CloseCase{"0", "0", false, true},
                      CloseCase{"0", "1", false, false}, CloseCase{"1", "0", true, false},
                      CloseCase{"1", "1", true, false}, CloseCase{"2", "0", true, false}));

TEST_F(MainWindowTest, FileExitEndsWhatever) {
  load();
  chooseMenu("mnuFileItem", 6);
  EXPECT_FALSE(main->loaded());
  EXPECT_TRUE(main->exitRequested());
  EXPECT_TRUE(opened.empty());
}

TEST_F(MainWindowTest, TheEndOfTheSessionAndTheTaskManagerEndTheProgram) {
  load();
  EXPECT_EQ(SendMessageW(main->hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(main->hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(main->loaded());

  load();
  SendMessageW(main->hwnd(), WM_CLOSE, 0, 0);  // as the task manager asks
  EXPECT_FALSE(main->loaded());
  EXPECT_TRUE(opened.empty());

  // An end of the session that another program cancels decides nothing: the close box
  // still hides the window to the tray.
  load();
  EXPECT_EQ(SendMessageW(main->hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(main->hwnd(), WM_ENDSESSION, FALSE, 0);
  SendMessageW(main->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(main->loaded());
  EXPECT_FALSE(main->visible());
  EXPECT_EQ(opened, std::vector<std::string>{"stillRunning"});
}

TEST_F(MainWindowTest, UnloadTakesTheOtherWindowsAlong) {
  load();
  gui::Form other(forms, "frmOptions", {.caption = "Options"});
  other.show();
  exitProgram();
  EXPECT_FALSE(other.loaded());
  EXPECT_TRUE(forms.empty());
}

// The blocker refuses with lParam 0 while the box is ticked, and the unload releases it
// before the window goes.
TEST_F(MainWindowTest, LowPowerRefusesSuspendWhileTicked) {
  load();
  HWND w = main->hwnd();
  auto broadcast = [w](LPARAM lParam) {
    return SendMessageW(w, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, lParam);
  };
  auto& box = main->control<gui::CheckBox>("chkLowPower");
  EXPECT_NE(broadcast(0), BROADCAST_QUERY_DENY) << "unticked at start";
  box.setValue(1);
  EXPECT_EQ(broadcast(0), BROADCAST_QUERY_DENY);
  EXPECT_NE(broadcast(1), BROADCAST_QUERY_DENY);
  box.setValue(0);
  EXPECT_NE(broadcast(0), BROADCAST_QUERY_DENY);
  box.setValue(1);
  EXPECT_EQ(broadcast(0), BROADCAST_QUERY_DENY);
  EXPECT_EQ(power.calls(), (std::vector<std::string>{kHold, kLetGo, kHold}));

  LRESULT answerAtDestroy = 0;
  main->hookMessage(WM_DESTROY, [&](std::uintptr_t, std::intptr_t) {
    answerAtDestroy = broadcast(0);
    return std::optional<std::intptr_t>();
  });
  exitProgram();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_NE(answerAtDestroy, BROADCAST_QUERY_DENY) << "released before the window goes";
  EXPECT_FALSE(app.schedules.started()) << "CPower went with the engine";
  EXPECT_EQ(power.calls().back(), kLetGo);
}

class MainWindowTrayTest : public MainWindowTest {
 protected:
  // Sends a mouse message through the icon's callback; a pop-up menu that opens is closed
  // again at once, and its handle recorded.
  void trayMouse(UINT mouse) {
    shownMenu = nullptr;
    main->hookMessage(WM_INITMENUPOPUP, [this](std::uintptr_t menu, std::intptr_t) {
      shownMenu = reinterpret_cast<HMENU>(menu);
      return std::optional<std::intptr_t>(0);
    });
    UINT_PTR timer = SetTimer(nullptr, 0, 100, &endMenu);
    SendMessageW(main->hwnd(), win32::TrayIconHost::kCallbackMessage, tray::kIconId, mouse);
    KillTimer(nullptr, timer);
    main->unhookMessage(WM_INITMENUPOPUP);
  }
  HMENU shownMenu = nullptr;
};

TEST_F(MainWindowTrayTest, TheIconIsThereFromTheLoadToTheUnload) {
  load();
  HWND w = main->hwnd();
  EXPECT_TRUE(trayIconExists(w));
  exitProgram();
  EXPECT_FALSE(trayIconExists(w));
}

TEST_F(MainWindowTrayTest, TaskbarCreatedBringsTheIconBackAtOnce) {
  load();
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = main->hwnd();
  data.uID = tray::kIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);  // as a restarted Explorer would have lost it
  ASSERT_FALSE(trayIconExists(main->hwnd()));
  SendMessageW(main->hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(trayIconExists(main->hwnd()));
}

TEST_F(MainWindowTrayTest, MouseMessagesFollowTheTable) {
  load();
  main->hide();
  const struct {
    UINT mouse;
    bool menu;
  } cases[] = {{WM_MOUSEMOVE, false},
               {WM_LBUTTONDOWN, false},
               {WM_RBUTTONDOWN, false},
               {WM_LBUTTONUP, true},
               {WM_RBUTTONUP, true}};
  for (const auto& c : cases) {
    trayMouse(c.mouse);
    EXPECT_EQ(shownMenu, c.menu ? main->menu("mnuTray").popup() : nullptr) << c.mouse;
    EXPECT_FALSE(main->visible()) << c.mouse;
  }
  trayMouse(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(main->visible());
  EXPECT_EQ(main->windowState(), gui::WindowState::Normal) << "shown as it was";
  trayMouse(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(main->visible());
}

TEST_F(MainWindowTrayTest, TheMenuOpensMaximisedDoesNothingOrExits) {
  load();
  main->hide();
  chooseMenu("mnuTrayItem", 1);  // "Hide Menu"
  EXPECT_TRUE(main->loaded());
  EXPECT_FALSE(main->visible());
  chooseMenu("mnuTrayItem", 0);  // "Open"
  EXPECT_TRUE(main->visible());
  EXPECT_EQ(main->windowState(), gui::WindowState::Maximized);
  app.options.set(Setting::chkAlwaysExit, "0");
  chooseMenu("mnuTrayItem", 3);  // "Exit" ends even when closing only hides
  EXPECT_FALSE(main->loaded());
  EXPECT_TRUE(opened.empty()) << "no still-running notice";
}

}  // namespace
}  // namespace quenmark::testing
