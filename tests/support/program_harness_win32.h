#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_win32.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_event_log.h"
#include "support/fake_power_api.h"
#include "support/temp_folder_win32.h"

namespace quenmark::testing {

// The program as WinMain wires it (win32::Program), in-process, in a temporary program folder
// holding the shipped translations and a data folder. The seams are the real Win32 ones but
// three: power calls are recorded, message boxes answered, and the clock stands still at
// Friday 3/14/2025 10:00:30 until the test moves it. Its settings go to the build prefix's
// registry (Tarvossa\Quenmark, from this test program's version information), cleaned before
// and after with the policies of that name; a language is stored and the help seen, so that
// the start asks nothing.
class ProgramHarness {
 public:
  ProgramHarness();
  ~ProgramHarness();
  ProgramHarness(const ProgramHarness&) = delete;
  ProgramHarness& operator=(const ProgramHarness&) = delete;

  // Starts the program (ending one started before) and, unless told otherwise, lets messages
  // run until its main window is loaded.
  win32::Program& start(bool untilMainWindow = true);
  // The started program's loaded window of this name; one not loaded throws, failing the test.
  gui::Form& form(std::string_view name) const;
  bool isLoaded(std::string_view name) const;

  static void setMachine(const std::string& name, const std::string& value);
  static void setUser(const std::string& name, const std::string& value);
  // Every value the program keeps in the registry (its machine and user keys, its Run
  // value) and the policies set for it, by path and name, and every file of the data
  // folder, by name.
  std::map<std::string, std::string> stored() const;

  TempFolder folder;
  win32::Win32Seams seams;
  FakeDialogs dialogs;
  FakePowerApi power;
  FakeEventLog events;
  FakeClock clock{at(2025, 3, 14, 10, 0, 30)};
  std::unique_ptr<win32::Program> program;
};

// What a window shows: each control's caption, check, visibility and enabled state, and a
// list view's rows, one line per control in the window's order.
std::vector<std::string> shown(gui::Form& window);

// Closes the window as its close box does.
void closeBox(gui::Form& window);
// A mouse click on a row of a list view, as a user makes it.
void clickListRow(const gui::ListView& list, int row);

}  // namespace quenmark::testing
