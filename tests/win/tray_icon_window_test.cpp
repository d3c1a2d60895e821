#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "windows/tray_icon_window.h"
#include "gui/form.h"
#include "support/gui_pump_win32.h"

namespace quenmark::win32 {
namespace {

class RecordingTimer : public TimerSwitch {
 public:
  bool on = true;
  int ms = 5000;
  void setEnabled(bool v) override { on = v; }
  bool enabled() const override { return on; }
  void setInterval(int v) override { ms = v; }
  int interval() const override { return ms; }
};

// Asks the shell directly whether it holds the icon: modifying a missing icon fails.
bool iconExists(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = tray::kIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void deleteIcon(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = tray::kIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);
}

struct TrayTest : ::testing::Test {
  gui::Forms forms;
  gui::Form main{forms, "frmMain", {.caption = "Tray test"}};
  RecordingTimer timer;
  std::vector<std::string> actions;
  TrayIconHost host{main,
                    timer,
                    "Quenmark",
                    {.showMenu = [this] { actions.push_back("menu"); },
                     .showWindow = [this] { actions.push_back("window"); }}};
  TrayTest() { main.load(); }
  ~TrayTest() override { deleteIcon(main.hwnd()); }
};

TEST_F(TrayTest, AddsRefreshesAndRemovesTheIcon) {
  ASSERT_FALSE(iconExists(main.hwnd()));
  host.icon().refresh();
  ASSERT_TRUE(iconExists(main.hwnd())) << "added when missing";
  EXPECT_EQ(timer.ms, 15000);
  timer.ms = 1;
  host.icon().refresh();
  EXPECT_EQ(timer.ms, 15000) << "touched when present";
  host.icon().remove();
  EXPECT_FALSE(iconExists(main.hwnd()));
}

TEST_F(TrayTest, CallbackMessagesFollowTheMouseTable) {
  const struct {
    UINT mouse;
    std::vector<std::string> actions;
  } cases[] = {
      {WM_MOUSEMOVE, {}},       {WM_LBUTTONDOWN, {}},
      {WM_LBUTTONUP, {"menu"}}, {WM_LBUTTONDBLCLK, {"window"}},
      {WM_RBUTTONDOWN, {}},     {WM_RBUTTONUP, {"menu"}},
  };
  for (const auto& c : cases) {
    actions.clear();
    SendMessageW(main.hwnd(), TrayIconHost::kCallbackMessage, tray::kIconId, c.mouse);
    EXPECT_EQ(actions, c.actions) << c.mouse;
  }
}

TEST_F(TrayTest, TaskbarCreatedBringsALostIconBackAtOnce) {
  host.icon().refresh();
  deleteIcon(main.hwnd());  // as a restarted Explorer would have lost it
  ASSERT_FALSE(iconExists(main.hwnd()));
  PostMessageW(HWND_BROADCAST, host.taskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(testing::pumpUntil(forms, [&] { return iconExists(main.hwnd()); }));
}

TEST_F(TrayTest, TaskbarCreatedLeavesARemovedIconAway) {
  host.icon().refresh();
  host.icon().remove();
  SendMessageW(main.hwnd(), host.taskbarCreatedMessage(), 0, 0);
  EXPECT_FALSE(iconExists(main.hwnd()));
}

}  // namespace
}  // namespace quenmark::win32
