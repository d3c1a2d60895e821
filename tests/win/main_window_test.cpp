#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/i18n/localization_file.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/schedule_file.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using Rows = std::vector<std::vector<std::string>>;

ScheduleRecord once(std::string name, std::string type, std::string date, std::string time) {
  ScheduleRecord r;
  r.Name = std::move(name);
  r.ItemType = std::move(type);
  r.Enabled = true;
  r.StartDate = std::move(date);
  r.StartTime = std::move(time);
  return r;
}

Rows sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

bool sawCall(const FakePowerApi& power, const std::string& call) {
  const auto& calls = power.calls();
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST_F(MainWindowTest, LoadListsTheFilesWithTheirNextRunTimes) {
  writeSchedule(once("Once later", "Reboot", "3/20/2025", "09:15:00"));
  ScheduleRecord daily = once("Daily early", "Shut Down", "3/1/2025", "08:00:00");
  daily.Repeat = true;
  writeSchedule(daily);
  ScheduleRecord off;
  off.Name = "Switched off";
  off.ItemType = "Log Off";
  writeSchedule(off);
  load();
  EXPECT_EQ(sorted(rows()), (Rows{{"Daily early", "Shut Down", "", "3/15/2025 08:00:00", "Yes"},
                                  {"Once later", "Reboot", "", "3/20/2025 09:15:00", "Yes"},
                                  {"Switched off", "Log Off", "", "", "No"}}));
  EXPECT_EQ(main->caption(), "Quenmark by Tarvossa");
  EXPECT_EQ(main->control("cmdWebsite").caption(), "Visit quenmark.example");
  EXPECT_EQ(main->control<gui::ComboBox>("cmbTime").text(), "Now");
  EXPECT_EQ(main->control<gui::ComboBox>("cbShutdown").text(), "Shut Down") << "no hiberfil.sys";
  EXPECT_FALSE(enabled("cmdEdit"));
  EXPECT_FALSE(enabled("cmdDelete"));
  EXPECT_FALSE(menuEnabled("mnuFileItem", 1));
  EXPECT_FALSE(menuEnabled("mnuFileItem", 2));
  EXPECT_TRUE(opened.empty());
}

TEST_F(MainWindowTest, TranslatesItselfIntoTheStoredLanguage) {
  app.options.set(Setting::Language, "Deutsch");
  load();
  EXPECT_EQ(main->caption(), "Quenmark von Tarvossa");
  EXPECT_EQ(main->control("cmdNewSchedule").caption(), "Neuer Zeitplan");
  EXPECT_EQ(main->menu("mnuFile", 0).caption(), "Datei");
  EXPECT_EQ(main->menu("mnuTrayItem", 3).caption(), "Beenden");
  EXPECT_EQ(list().columnText(4), "Nächste Ausführung");
}

// The translation template written from the loaded window lists the same frmMain keys and
// texts as the English group of the shipped file.
TEST_F(MainWindowTest, ItsTemplateAgreesWithTheShippedFile) {
  load();
  main->makeLocalizationFile();
  EXPECT_EQ(opened, std::vector<std::string>{"loadWizardForTemplate"});
  auto frmMainLines = [](const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
      if (l.rfind("\t\t<FRMMAIN_", 0) != 0) continue;
      // The website button shows the real site by now; the file holds its placeholder.
      out.push_back(l.find("CMDWEBSITE>") != std::string::npos ? "CMDWEBSITE" : l);
    }
    return out;
  };
  auto written = readTranslationLines(readTestFile(folder / "Localization.txt"), "English");
  auto shipped = readTranslationLines(shippedLocalization(), "English");
  ASSERT_TRUE(written && shipped);
  EXPECT_EQ(frmMainLines(*written), frmMainLines(*shipped));
  EXPECT_EQ(frmMainLines(*written).size(), 41u);
}

TEST_F(MainWindowTest, ItemClickFillsCurrentScheduleAndEnablesTheCommands) {
  ScheduleRecord weekly = once("Weekly", "Reboot", "3/3/2025", "22:30:00");
  weekly.Repeat = true;
  weekly.SAccurancy = 1;
  weekly.Period = "mon,fri";
  writeSchedule(weekly);
  load();
  auto& time = main->control<gui::ComboBox>("cmbTime");
  time.setText("In 1 Hour");
  clickButton("cmdGo");
  ASSERT_EQ(list().itemCount(), 2);

  clickRow(0);
  EXPECT_EQ(main->currentSchedule(), weekly);
  EXPECT_TRUE(enabled("cmdEdit") && enabled("cmdDelete"));
  EXPECT_TRUE(menuEnabled("mnuFileItem", 1) && menuEnabled("mnuFileItem", 2));

  clickRow(1);  // the quick entry has no file: it can be deleted, not edited
  EXPECT_EQ(main->currentSchedule().Name, list().itemText(1, 0));
  EXPECT_EQ(main->currentSchedule().ItemType, "Shut Down");
  EXPECT_FALSE(enabled("cmdEdit"));
  EXPECT_FALSE(menuEnabled("mnuFileItem", 1));
  EXPECT_TRUE(enabled("cmdDelete") && menuEnabled("mnuFileItem", 2));
}

// Each click reads the file again, also on the row already selected; a file that cannot be
// read leaves nothing of the schedule clicked before, and Edit off.
TEST_F(MainWindowTest, EveryClickReadsItsFileAndAnUnreadableOneCannotBeEdited) {
  ScheduleRecord a = once("A", "Reboot", "3/3/2030", "22:30:00");
  writeSchedule(a);
  writeSchedule(once("B", "Log Off", "3/4/2030", "06:00:00"));
  load();
  const int rowA = list().itemText(0, 0) == "A" ? 0 : 1;
  clickRow(rowA);
  a.StartTime = "23:45:00";
  writeSchedule(a);
  clickRow(rowA);
  EXPECT_EQ(main->currentSchedule().StartTime, "23:45:00");

  const HANDLE lock = CreateFileW(win32::widen(scheduleFilePath(folder.path(), "B")).c_str(),
                                  GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  clickRow(1 - rowA);
  CloseHandle(lock);
  EXPECT_EQ(main->currentSchedule(), (ScheduleRecord{.Name = "B", .ItemType = "Log Off",
                                                     .Enabled = true}));
  EXPECT_FALSE(enabled("cmdEdit") || menuEnabled("mnuFileItem", 1));
  EXPECT_TRUE(enabled("cmdDelete"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text.rfind("Error 32 - ", 0), 0u) << dialogs.shown[0].text;
}

TEST_F(MainWindowTest, NewAndEditOpenTheWizardWithNothingOrTheClickedSchedule) {
  writeSchedule(once("Night", "Reboot", "3/3/2030", "22:30:00"));
  load();
  clickRow(0);
  const struct {
    const char* button;
    const char* menu;
    int index;
    bool editMode;
  } cases[] = {{"cmdNewSchedule", "mnuFileItem", 0, false}, {"cmdEdit", "mnuFileItem", 1, true}};
  for (const auto& c : cases) {
    opened.clear();
    clickButton(c.button);
    chooseMenu(c.menu, c.index);
    const std::string expected = c.editMode ? "wizard edit Night" : "wizard new";
    EXPECT_EQ(opened, (std::vector<std::string>{expected, expected}));
  }
}

TEST_F(MainWindowTest, DeleteAsksAndDeletesOnYesOnly) {
  writeSchedule(once("Keep", "Reboot", "3/20/2025", "09:15:00"));
  writeSchedule(once("Drop", "Reboot", "3/21/2025", "09:15:00"));
  load();
  const int drop = list().itemText(0, 0) == "Drop" ? 0 : 1;

  dialogs.answer(MsgResult::No);
  clickRow(drop);
  clickButton("cmdDelete");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Are you sure you want to delete the selected item?");
  EXPECT_EQ(dialogs.shown[0].title, "Really delete?");
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(scheduleFileExists("Drop"));
  EXPECT_EQ(list().itemCount(), 2);
  EXPECT_TRUE(enabled("cmdDelete"));

  dialogs.answer(MsgResult::Yes);
  chooseMenu("mnuFileItem", 2);
  EXPECT_FALSE(scheduleFileExists("Drop"));
  EXPECT_TRUE(scheduleFileExists("Keep"));
  EXPECT_EQ(rows(), (Rows{{"Keep", "Reboot", "", "3/20/2025 09:15:00", "Yes"}}));
  EXPECT_FALSE(enabled("cmdDelete") || enabled("cmdEdit"));
  EXPECT_FALSE(menuEnabled("mnuFileItem", 1) || menuEnabled("mnuFileItem", 2));
}

TEST_F(MainWindowTest, DeletingAQuickEntryReloadsTheList) {
  writeSchedule(once("Keep", "Reboot", "3/20/2025", "09:15:00"));
  load();
  main->control<gui::ComboBox>("cmbTime").setText("In 2 Days");
  clickButton("cmdGo");
  ASSERT_EQ(list().itemCount(), 2);
  clickRow(1);
  clickButton("cmdDelete");
  EXPECT_EQ(rows(), (Rows{{"Keep", "Reboot", "", "3/20/2025 09:15:00", "Yes"}}));
  EXPECT_TRUE(scheduleFileExists("Keep"));
}

TEST_F(MainWindowTest, QuickScheduleNowAsksAndActsForcedOnOkOnly) {
  load();
  main->control<gui::ComboBox>("cbShutdown").setText("Log Off");
  dialogs.answer(MsgResult::Cancel);
  clickButton("cmdGo");
  EXPECT_TRUE(power.calls().empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Are you sure you want to perform the selected action immediately?");
  EXPECT_EQ(dialogs.shown[0].title, "Confirm Choice");
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);

  dialogs.answer(MsgResult::Ok);
  clickButton("cmdGo");
  EXPECT_EQ(power.calls().back(), "ExitWindowsEx(flags=4, reserved=0)");
  EXPECT_EQ(list().itemCount(), 0) << "Now makes no list entry";
}

TEST_F(MainWindowTest, QuickScheduleInOneMinuteAddsAnEntry) {
  load();
  main->control<gui::ComboBox>("cmbTime").setText("In 1 Minute");
  main->control<gui::ComboBox>("cbShutdown").setText("Stand by");
  clickButton("cmdGo");
  EXPECT_EQ(rows(), (Rows{{"Quick Schedule 3/14/2025 10:00:30 AM", "Stand by", "",
                           "3/14/2025 10:01:30", "Yes"}}));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(power.calls().empty());
}

TEST_F(MainWindowTest, EnterInTheActionListRunsGo) {
  load();
  auto& action = main->control<gui::ComboBox>("cbShutdown");
  action.setFocus();
  dialogs.answer(MsgResult::Cancel);
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000001);
  gui::doEvents(forms);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Confirm Choice");
}

TEST_F(MainWindowTest, TheActionMenuAsksAndActsForced) {
  load();
  const char* expected[] = {
      "SetSystemPowerState(suspend=0, force=1)",  // Hibernate
      "ExitWindowsEx(flags=5, reserved=0)",       // Shut Down
      "ExitWindowsEx(flags=6, reserved=0)",       // Reboot
      "ExitWindowsEx(flags=4, reserved=0)",       // Log Off
      "SetSystemPowerState(suspend=1, force=1)",  // Stand By
  };
  for (int i = 0; i < 5; ++i) {
    dialogs.answer(MsgResult::Cancel);
    const std::size_t before = power.calls().size();
    chooseMenu("mnuActionItem", i);
    EXPECT_EQ(power.calls().size(), before) << "cancelled " << i;
    dialogs.answer(MsgResult::Ok);
    chooseMenu("mnuActionItem", i);
    EXPECT_EQ(power.calls().back(), expected[i]) << i;
  }
  ASSERT_EQ(dialogs.shown.size(), 10u);
  EXPECT_EQ(dialogs.shown[9].title, "Confirm Choice");
}

// The scan, queue and action timers of the window run a schedule in its minute, forced.
TEST_F(MainWindowTest, AScheduleDueInTheCurrentMinuteFiresThroughTheTimers) {
  writeSchedule(once("Due", "Reboot", "3/14/2025", "10:01:00"));
  load();
  ASSERT_EQ(list().itemText(0, 3), "3/14/2025 10:01:00");
  clock.set(at(2025, 3, 14, 10, 1, 10));
  EXPECT_TRUE(pumpUntil(forms, [&] { return !power.calls().empty(); }));
  EXPECT_EQ(power.calls().back(), "ExitWindowsEx(flags=6, reserved=0)");
  EXPECT_EQ(list().itemText(0, 3), "") << "a one-time run is not armed again";
}

TEST_F(MainWindowTest, PreventHoldsTheScheduleBackWhileTicked) {
  writeSchedule(once("Due", "Shut Down", "3/14/2025", "10:01:00"));
  load();
  auto& prevent = main->control<gui::CheckBox>("chkPrevent");
  prevent.setValue(1);
  clock.set(at(2025, 3, 14, 10, 1, 0));
  pumpFor(forms, 1500ms);
  EXPECT_TRUE(power.calls().empty());
  EXPECT_EQ(list().itemText(0, 3), "3/14/2025 10:01:00");
  prevent.setValue(0);  // within the same minute: it still fires
  EXPECT_TRUE(
      pumpUntil(forms, [&] { return sawCall(power, "ExitWindowsEx(flags=5, reserved=0)"); }));
}

TEST_F(MainWindowTest, PowerOptionsStartThePowerOptionsApplet) {
  load();
  clickButton("cmdPower");
  chooseMenu("mnuPowerOptions", 0);
  const std::string command = "RunDLL32.EXE shell32.dll,Control_RunDLL powercfg.cpl";
  EXPECT_EQ(shell.started, (std::vector<std::string>{command, command}));
}

TEST_F(MainWindowTest, MenusOpenTheirWindowsThroughTheOnePlace) {
  load();
  chooseMenu("mnuFileItem", 4);
  chooseMenu("mnuLanguageItem", 0);
  chooseMenu("mnuHelpItem", 0);
  chooseMenu("mnuAboutItem", 0);
  clickButton("cmdWebsite");
  EXPECT_EQ(opened,
            (std::vector<std::string>{"options", "language", "helpLauncher", "about", "website"}));
}

TEST_F(MainWindowTest, WithoutItsWindowTheWebsiteOpensInTheBrowser) {
  windows.website = nullptr;
  load();
  clickButton("cmdWebsite");
  ASSERT_EQ(shell.executed.size(), 1u);
  EXPECT_EQ(shell.executed[0].verb, "open");
  EXPECT_EQ(shell.executed[0].file, "http://quenmark.example");
  EXPECT_EQ(shell.executed[0].owner, reinterpret_cast<WindowHandle>(main->hwnd()));
}

TEST_F(MainWindowTest, TheFirstStartAsksForTheLanguageAndShowsTheHelpOnceInEnglish) {
  ASSERT_TRUE(writeTestFile(folder / "Help.chm", "help"));
  windows.helpLauncher = nullptr;  // Form8 itself
  const struct {
    const char* language;  // "" when never chosen
    const char* showHelp;  // nullptr when never stored
    bool languageWindow;
    bool help;
  } cases[] = {
      {"", nullptr, true, true},
      {"English", "1", false, true},
      {"Deutsch", "1", false, false},
      {"English", "0", false, false},
  };
  for (const auto& c : cases) {
    FakeRegistry fresh;
    registry = fresh;
    shell.executed.clear();
    opened.clear();
    if (*c.language) app.options.set(Setting::Language, c.language);
    if (c.showHelp) app.options.set(Setting::showHelp, c.showHelp);
    load();
    EXPECT_EQ(opened == std::vector<std::string>{"language modal"}, c.languageWindow) << c.language;
    EXPECT_EQ(shell.executed.size(), c.help ? 1u : 0u) << c.language << c.showHelp;
    if (c.help) {
      EXPECT_EQ(shell.executed[0].file, folder / "Help.chm");
    }
    EXPECT_EQ(app.options.get(Setting::showHelp, "missing"), "0") << c.language << c.showHelp;
  }
}

TEST_F(MainWindowTest, ChkMinStartsMinimisedAndHiddenInTheTray) {
  app.options.set(Setting::chkMin, "1");
  load();
  EXPECT_TRUE(main->loaded());
  EXPECT_FALSE(main->visible());
  EXPECT_EQ(main->windowState(), gui::WindowState::Minimized);
  EXPECT_TRUE(app.StartedInTray);
}

TEST_F(MainWindowTest, ASecondInstanceEndsAtOnceWithoutATrace) {
  guard.another = true;
  const std::size_t saves = registry.callsOf("setValue").size();
  load();
  EXPECT_FALSE(main->loaded());
  EXPECT_TRUE(forms.empty());
  EXPECT_EQ(registry.callsOf("setValue").size(), saves);
  EXPECT_TRUE(power.calls().empty());
  EXPECT_TRUE(opened.empty());
}

TEST_F(MainWindowTest, ResizeFollowsTheWindowWithAbsoluteValues) {
  load();
  main->move(0, 0, 12000, 9000);
  EXPECT_EQ(main->control("cmdWebsite").width(), 12000 - 4290 - 200);
  EXPECT_EQ(list().width(), 12000 - 120 - 200);
  EXPECT_EQ(list().height(), 9000 - 1740 - 1000);
  main->move(0, 0, 3000, 2400);  // smaller than the controls: the lengths stay positive
  EXPECT_EQ(main->control("cmdWebsite").width(), 1490) << "|3000 - 4290 - 200|";
  EXPECT_EQ(list().width(), 2680);
  EXPECT_EQ(list().height(), 340) << "|2400 - 1740 - 1000|";
}

TEST_F(MainWindowTest, ColumnWidthsSurviveAReloadOfTheWindow) {
  load();
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(list().columnWidth(n), 2500) << n;
  list().setColumnWidth(1, 1800);
  list().setColumnWidth(5, 3015);
  exitProgram();
  EXPECT_EQ(app.options.columnWidth(1), "1800");
  EXPECT_EQ(app.options.columnWidth(2), "2500");
  EXPECT_EQ(app.options.columnWidth(5), "3015");

  app.options.setColumnWidth(2, "wide");  // damaged: the column keeps its design
  load();
  EXPECT_EQ(list().columnWidth(1), 1800);
  EXPECT_EQ(list().columnWidth(2), 2500);
  EXPECT_EQ(list().columnWidth(5), 3015);
}

}  // namespace
}  // namespace quenmark::testing
