#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/program/app_context.h"
#include "windows/main_window.h"
#include "gui/form.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_event_log.h"
#include "support/fake_meters.h"
#include "support/fake_power_api.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "support/fake_version_info.h"
#include "support/temp_folder_win32.h"

namespace quenmark::testing {

// A guard that says what the test wants.
class TestInstanceGuard : public InstanceGuard {
 public:
  bool another = false;
  bool anotherInstanceRuns() const override { return another; }
};

// The main window made by the program's own context function but with the other windows as
// recorders, so that each test sees what the main window asks for; each load() is a new run of
// the program (ReopenTest and the e2e scenarios drive the whole program's wiring).
// The main window in a temporary program folder holding the shipped Localization.xml, with
// the real file system, recorded power calls and shell, answered message boxes, a registry in
// memory and a clock at Friday 3/14/2025 10:00:30. The other windows are recorders that write
// what was opened into `opened`. Language "English" and "showHelp" "0" are stored, so that a
// load opens neither the language window nor the help.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest();
  ~MainWindowTest() override;

  // Creates the main window (a fresh one each time) and loads it; `show` also shows it.
  frmMain& load(bool show = true);
  // Ends the program the way File, Exit does, if the window is still loaded.
  void exitProgram();

  // A schedule file in the data folder, written from the record as the wizard writes it.
  void writeSchedule(const ScheduleRecord& record);
  bool scheduleFileExists(const std::string& name) const;

  gui::ListView& list() const;
  // Each row's five columns as the list view shows them.
  std::vector<std::vector<std::string>> rows() const;
  // A mouse click on a row, as a user makes it.
  void clickRow(int row) const;
  void clickButton(const std::string& name) const;
  void chooseMenu(const std::string& name, int index) const;
  bool enabled(const std::string& name) const;
  bool menuEnabled(const std::string& name, int index) const;
  // Whether the shell holds the program's tray icon for `window`.
  static bool trayIconExists(HWND window);

  TempFolder folder;
  win32::Win32FileSystem fs;
  win32::AnsiCodec codec;
  FakeClock clock{at(2025, 3, 14, 10, 0, 30)};
  FakeRegional regional;
  FakeDialogs dialogs;
  FakeRegistry registry;
  FakePowerApi power;
  FakeShell shell;
  FakeVersionInfo version{
      {{"ProductName", "Quenmark"}, {"CompanyName", "Tarvossa"}, {"Comments", "quenmark.example"}}};
  FakeEventLog events;
  FakeMeters meters;
  AppContext app{{fs, codec, clock, regional, dialogs, registry, power, shell, version, events,
                  meters},
                 folder.path()};
  TestInstanceGuard guard;
  std::vector<std::string> opened;
  AppWindows windows;
  gui::Forms forms;
  std::vector<std::string> errors;
  std::unique_ptr<frmMain> main;
};

// The text of res/Localization.xml in this source tree.
std::string shippedLocalization();

}  // namespace quenmark::testing
