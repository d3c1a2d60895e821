#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "app/program_win32.h"
#include "platform/win32/power_api_win32.h"
#include "support/gui_pump_win32.h"
#include "support/layout_check_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

ScheduleRecord once(std::string name, std::string type, std::string time) {
  ScheduleRecord r;
  r.Name = std::move(name);
  r.ItemType = std::move(type);
  r.Enabled = true;
  r.StartDate = "3/14/2025";
  r.StartTime = std::move(time);
  return r;
}

// The system's own clock as local time, for the real timer.
local_seconds localNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return local_days{year{st.wYear} / month{st.wMonth} / day{st.wDay}} + hours{st.wHour} +
         minutes{st.wMinute} + seconds{st.wSecond};
}

// The real waitable timer: made, set to a local time (it signals then), moved and cancelled.
// Waking a sleeping computer itself cannot be shown here.
TEST(Win32WakeTimer, IsMadeSetAtALocalTimeAndCancelled) {
  win32::Win32PowerApi api;
  EXPECT_TRUE(api.cancelWakeTimer()) << "nothing to cancel yet";
  EXPECT_EQ(api.wakeTimer(), nullptr);

  ASSERT_TRUE(api.setWakeTimer(localNow() + 2s));
  ASSERT_NE(api.wakeTimer(), nullptr);
  EXPECT_EQ(WaitForSingleObject(api.wakeTimer(), 0), WAIT_TIMEOUT) << "not due yet";
  EXPECT_EQ(WaitForSingleObject(api.wakeTimer(), 5000), WAIT_OBJECT_0) << "due in 2 s";

  // Moved an hour ahead, then cancelled: it does not signal.
  const HANDLE first = api.wakeTimer();
  ASSERT_TRUE(api.setWakeTimer(localNow() + 1h));
  EXPECT_EQ(api.wakeTimer(), first) << "one timer, moved";
  EXPECT_EQ(WaitForSingleObject(api.wakeTimer(), 0), WAIT_TIMEOUT);
  ASSERT_TRUE(api.setWakeTimer(localNow() + 1s));
  EXPECT_TRUE(api.cancelWakeTimer());
  EXPECT_EQ(WaitForSingleObject(api.wakeTimer(), 2500), WAIT_TIMEOUT) << "cancelled";
}

// The main window with both settings on, its countdown window made as the program makes it.
class WakeWarnWindowTest : public MainWindowTest {
 protected:
  WakeWarnWindowTest() {
    app.options.set(Setting::chkWake, "1");
    app.options.set(Setting::chkWarn, "1");
  }
  ~WakeWarnWindowTest() override {
    exitProgram();
    countdown.reset();
  }
  frmMain& start() {
    frmMain& m = load();
    countdown = std::make_unique<frmCountdown>(forms, win32::countdownContext(app));
    windows.countdown = [this] { countdown->open(); };
    return m;
  }
  // The next due minute of a schedule, and the moment the countdown window is up.
  void fireAt(const char* time, local_seconds now) {
    writeSchedule(once("Night", "Shut Down", time));
    main->loadData();
    clock.set(now);
    ASSERT_TRUE(pumpUntil(forms, [&] { return countdown && countdown->visible(); }));
  }
  std::string caption(const char* control) const { return countdown->control(control).caption(); }
  void click(const char* button) const {
    SendMessageW(countdown->control(button).hwnd(), BM_CLICK, 0, 0);
  }
  // How many times the forced shutdown was asked for.
  long actions() const {
    const auto& calls = power.calls();
    return std::count(calls.begin(), calls.end(), "ExitWindowsEx(flags=5, reserved=0)");
  }
  bool acted() const { return actions() > 0; }

  std::unique_ptr<frmCountdown> countdown;
};

TEST_F(WakeWarnWindowTest, TheWakeTimerFollowsTheListAndGoesWithTheProgram) {
  writeSchedule(once("Later", "Reboot", "11:30:00"));
  start();
  ASSERT_TRUE(pumpUntil(forms, [&] { return power.wakeDue().has_value(); }));
  EXPECT_EQ(power.wakeDue(), at(2025, 3, 14, 11, 30));
  writeSchedule(once("Sooner", "Reboot", "10:45:00"));
  main->loadData();
  ASSERT_TRUE(pumpUntil(forms, [&] { return power.wakeDue() == at(2025, 3, 14, 10, 45); }));

  app.options.set(Setting::chkWake, "0");
  EXPECT_EQ(power.wakeDue(), std::nullopt) << "turned off in the options";
  app.options.set(Setting::chkWake, "1");
  EXPECT_EQ(power.wakeDue(), at(2025, 3, 14, 10, 45));
  exitProgram();
  EXPECT_EQ(power.wakeDue(), std::nullopt) << "cancelled as the program ends";
}

TEST_F(WakeWarnWindowTest, TheCountdownShowsTheRunAndCancelSkipsIt) {
  start();
  fireAt("10:01:00", at(2025, 3, 14, 10, 1, 5));
  EXPECT_EQ(caption("lblAction"), "Shut Down");
  EXPECT_EQ(caption("lblSchedule"), "Night");
  EXPECT_EQ(caption("lblSeconds"), "30");
  EXPECT_TRUE(GetWindowLongW(countdown->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(layoutFaults(*countdown), std::vector<std::string>{});
  clock.set(at(2025, 3, 14, 10, 1, 17));
  ASSERT_TRUE(pumpUntil(forms, [&] { return caption("lblSeconds") == "18"; }));
  RedrawWindow(countdown->hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(saveWindowBitmap(countdown->hwnd(), screenshotFolder() + "\\countdown.bmp"));

  // Escape is Cancel: the window goes and nothing happens, now or when the time is up.
  EXPECT_EQ(GetFocus(), countdown->control("cmdCancel").hwnd()) << "the safe answer has the focus";
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
  ASSERT_TRUE(pumpUntil(forms, [&] { return !countdown->loaded(); }));
  clock.set(at(2025, 3, 14, 10, 2, 0));
  pumpFor(forms, 700ms);
  EXPECT_FALSE(acted());
}

TEST_F(WakeWarnWindowTest, DoItNowActsAtOnceAndTheEndActsByItself) {
  start();
  fireAt("10:01:00", at(2025, 3, 14, 10, 1, 0));
  click("cmdNow");
  EXPECT_TRUE(acted());
  EXPECT_FALSE(countdown->loaded());

  fireAt("10:03:00", at(2025, 3, 14, 10, 3, 0));
  EXPECT_EQ(actions(), 1);
  clock.set(at(2025, 3, 14, 10, 3, 30));
  ASSERT_TRUE(pumpUntil(forms, [&] { return actions() == 2; }));
  EXPECT_TRUE(pumpUntil(forms, [&] { return !countdown->loaded(); })) << "closes itself";
}

TEST_F(WakeWarnWindowTest, PostponeBringsTheRunBackTenMinutesLater) {
  start();
  fireAt("10:01:00", at(2025, 3, 14, 10, 1, 10));
  click("cmdPostpone");
  EXPECT_FALSE(countdown->loaded());
  EXPECT_EQ(power.wakeDue(), at(2025, 3, 14, 10, 11));
  clock.set(at(2025, 3, 14, 10, 11, 0));
  ASSERT_TRUE(pumpUntil(forms, [&] { return countdown->visible(); }));
  EXPECT_FALSE(acted());
}

}  // namespace
}  // namespace quenmark::testing
