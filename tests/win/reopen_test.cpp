#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string_view>

#include "windows/tray_icon_window.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_file.h"
#include "core/settings/run_at_start.h"
#include "support/gui_pump_win32.h"
#include "support/program_harness_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// The program builds each window once and loads it again and again: these tests open, close
// and open each one through the program's own wiring.
class ReopenTest : public ::testing::Test, public ProgramHarness {
 protected:
  frmMain& main() { return *program->mainWindow(); }
  bool acted() const {
    for (const std::string& call : power.calls()) {
      if (call.starts_with("ExitWindowsEx") || call.starts_with("SetSystemPowerState")) return true;
    }
    return false;
  }
  void click(gui::Form& window, const std::string& button) {
    SendMessageW(window.control(button).hwnd(), BM_CLICK, 0, 0);
  }
  void writeSchedule(const ScheduleRecord& r) {
    ASSERT_TRUE(writeTestFile(scheduleFilePath(folder.path(), r.Name),
                              seams.codec.utf8ToAnsi(scheduleFileText(r))));
  }
  std::string date(int day) const {
    return formatShortDate(std::chrono::year{2025} / 3 / day, seams.regional.formats());
  }
  // Opens the window twice, closing it in between and after: it shows the same both times
  // and nothing is stored by either opening. `live` names controls that show the world as it
  // is (the browser's status, the running programs), which may change in between.
  void twice(const std::string& name, const std::function<void()>& open,
             std::initializer_list<std::string_view> live = {}) {
    SCOPED_TRACE(name);
    auto shownNow = [&] {
      Lines lines = shown(form(name));
      for (std::string& line : lines) {
        for (std::string_view control : live) {
          if (line.starts_with(std::string(control) + " ")) line = control;
        }
      }
      return lines;
    };
    const auto before = stored();
    open();
    ASSERT_TRUE(isLoaded(name));
    const Lines first = shownNow();
    closeBox(form(name));
    ASSERT_FALSE(isLoaded(name)) << "closed";
    open();
    ASSERT_TRUE(isLoaded(name));
    EXPECT_EQ(shownNow(), first);
    closeBox(form(name));
    EXPECT_EQ(stored(), before);
  }
};

TEST_F(ReopenTest, EveryWindowShowsWhatIsStoredAgainAndItsLoadStoresNothing) {
  writeSchedule({.Name = "Night", .ItemType = "Shut Down", .Enabled = true, .StartDate = date(20),
                 .StartTime = "22:30:00", .Repeat = true, .SAccurancy = 1, .Period = "mon,fri"});
  start();
  // Options away from their defaults, so that a box shown clear the second time would show.
  for (const char* box : {"chkMin", "chkSplash", "chkWake", "chkWarn"}) setMachine(box, "1");
  setMachine("txtport", "587");
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvossa\\Quenmark-1\\Settings",
                  L"chkRunAtStart", REG_SZ, L"1", 4);
  const std::wstring command = win32::widen(runAtStartCommand(win32::runningModulePath()));
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                  L"Quenmark-1", REG_SZ, command.c_str(),
                  static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  AppWindows& w = program->windows();

  twice("frmOptions", w.options);
  w.options();
  for (const char* box : {"chkRunAtStart", "chkMin", "chkSplash", "chkWake", "chkWarn"}) {
    EXPECT_EQ(form("frmOptions").control<gui::CheckBox>(box).value(), 1) << box;
  }
  // Ticked by the user, closed and opened: still ticked and still stored.
  SendMessageW(form("frmOptions").control("chkNoShow").hwnd(), BM_CLICK, 0, 0);
  closeBox(form("frmOptions"));
  w.options();
  EXPECT_EQ(form("frmOptions").control<gui::CheckBox>("chkNoShow").value(), 1);
  EXPECT_EQ(stored()["HKLM\\Quenmark\\Settings\\chkNoShow"], std::string("1:1\0\0\0", 6));
  closeBox(form("frmOptions"));
  setMachine("chkNoShow", "0");

  twice("frmLanguage", [&] { w.language(false); });
  twice("frmAbout", w.about);
  twice("frmWebsite", w.website, {"StatusBar1"});
  twice("frmCondition", [&] { w.condition("Reboot"); }, {"lstPrograms"});
  // The splash window as the skin's recovery loads it again, hidden.
  twice("frmSplash", [&] {
    if (!isLoaded("frmSplash")) w.about();
    if (isLoaded("frmAbout")) closeBox(form("frmAbout"));
  });

  // The main window's close box hides it and shows the notice; the tray icon shows it again.
  const auto before = stored();
  const Lines first = shown(main());
  for (int round = 0; round < 2; ++round) {
    closeBox(main());
    EXPECT_FALSE(main().visible());
    ASSERT_TRUE(isLoaded("frmStillRunning"));
    EXPECT_EQ(form("frmStillRunning").control<gui::CheckBox>("chkNoShow").value(), 0);
    closeBox(form("frmStillRunning"));
    SendMessageW(main().hwnd(), win32::TrayIconHost::kCallbackMessage, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(shown(main()), first);
  }
  EXPECT_EQ(stored(), before);
  EXPECT_FALSE(acted());
}

// Two warned runs due in one minute: the countdown window opens for the first, its close box
// cancels it, and it opens again for the second, showing that one.
TEST_F(ReopenTest, TheCountdownOpensAgainForTheNextRun) {
  setMachine("chkWarn", "1");
  start();
  Scheduler& s = *main().scheduler();
  s.quickSchedule("In 1 Minute", "Log Off");
  clock.advance(1s);
  s.quickSchedule("In 1 Minute", "Reboot");
  clock.advance(60s);
  for (const char* action : {"Log Off", "Reboot"}) {
    ASSERT_TRUE(pumpUntil(program->forms(), [&] { return isLoaded("frmCountdown"); })) << action;
    gui::Form& countdown = form("frmCountdown");
    ASSERT_TRUE(pumpUntil(program->forms(), [&] {
      return countdown.control("lblAction").caption() == action;
    }));
    EXPECT_EQ(countdown.control("lblSeconds").caption(), "30");
    closeBox(countdown);
  }
  pumpFor(program->forms(), 300ms);
  EXPECT_FALSE(isLoaded("frmCountdown"));
  EXPECT_FALSE(acted()) << "both cancelled";
}

// Edit two schedules in a row and the first a third time, OK each time without a change:
// every file stays byte for byte; New after an Edit starts empty.
TEST_F(ReopenTest, TheWizardEditsOneScheduleAfterAnotherWithoutLosingAnything) {
  writeSchedule({.Name = "Evening", .ItemType = "Reboot", .Enabled = true, .StartDate = date(17),
                 .StartTime = "19:15:00", .Repeat = true, .SAccurancy = 2, .Period = "1,15"});
  writeSchedule({.Name = "Night", .ItemType = "Shut Down", .Enabled = true, .StartDate = date(20),
                 .StartTime = "22:30:00", .Repeat = true, .SAccurancy = 1, .Period = "mon,fri"});
  start();
  const auto before = stored();
  auto& list = main().control<gui::ListView>("lstSchedules");
  for (int row : {0, 1, 0}) {
    SCOPED_TRACE(row);
    clickListRow(list, row);
    click(main(), "cmdEdit");
    gui::Form& wizard = form("frmWizard");
    EXPECT_EQ(wizard.control("txtName").caption(), list.itemText(row, 0));
    EXPECT_EQ(wizard.control<gui::CheckBox>("chkScheduler").value(), 1);
    EXPECT_EQ(wizard.control<gui::CheckBox>("chkRepeat").value(), 1);
    click(wizard, "cmdOK");
    ASSERT_FALSE(isLoaded("frmWizard")) << dialogs.shown.size();
    EXPECT_EQ(stored(), before);
  }
  click(main(), "cmdNewSchedule");
  gui::Form& wizard = form("frmWizard");
  EXPECT_EQ(wizard.control("txtName").caption(), "");
  EXPECT_TRUE(IsWindowEnabled(wizard.control("txtName").hwnd()));
  EXPECT_EQ(wizard.control<gui::CheckBox>("chkScheduler").value(), 0);
  EXPECT_EQ(wizard.control<gui::CheckBox>("chkRepeat").value(), 0);
  closeBox(wizard);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace quenmark::testing
