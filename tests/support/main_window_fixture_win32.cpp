#include "support/main_window_fixture_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <fstream>
#include <iterator>

#include "core/presentation/tray_icon.h"
#include "app/program_win32.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/schedule_file.h"
#include "base/product_identity.h"
#include "support/program_harness_win32.h"

namespace quenmark::testing {

std::string shippedLocalization() {
  const std::string here = __FILE__;
  const std::string root = here.substr(0, here.rfind("tests"));
  std::ifstream in(root + "res/Localization.xml", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

MainWindowTest::MainWindowTest() {
  forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
  InitProductIdentity(app.identity, version);
  EXPECT_TRUE(writeTestFile(folder / "Localization.xml", shippedLocalization()));
  fs.createDirectory(folder / "data");
  app.options.set(Setting::Language, "English");
  app.options.set(Setting::showHelp, "0");
  auto record = [this](std::string what) { return [this, what] { opened.push_back(what); }; };
  windows.wizard = [this](const std::optional<ScheduleRecord>& toEdit) {
    opened.push_back(toEdit ? "wizard edit " + toEdit->Name : "wizard new");
  };
  windows.loadWizardForTemplate = record("loadWizardForTemplate");
  windows.language = [this](bool modal) {
    opened.push_back(modal ? "language modal" : "language");
  };
  windows.options = record("options");
  windows.about = record("about");
  windows.stillRunning = record("stillRunning");
  windows.website = record("website");
  windows.helpLauncher = record("helpLauncher");
}

MainWindowTest::~MainWindowTest() {
  exitProgram();
  main.reset();
  EXPECT_TRUE(errors.empty()) << errors.front();
}

frmMain& MainWindowTest::load(bool show) {
  exitProgram();
  main = std::make_unique<frmMain>(forms, win32::mainWindowContext(app), windows, guard);
  main->load();
  if (show && main->loaded() && !app.StartedInTray) main->show();
  return *main;
}

void MainWindowTest::exitProgram() {
  if (main && main->loaded()) main->exitProgram();
}

void MainWindowTest::writeSchedule(const ScheduleRecord& record) {
  ASSERT_TRUE(writeTestFile(scheduleFilePath(folder.path(), record.Name),
                            codec.utf8ToAnsi(scheduleFileText(record))));
}

bool MainWindowTest::scheduleFileExists(const std::string& name) const {
  return GetFileAttributesW(win32::widen(scheduleFilePath(folder.path(), name)).c_str()) !=
         INVALID_FILE_ATTRIBUTES;
}

gui::ListView& MainWindowTest::list() const { return main->control<gui::ListView>("lstSchedules"); }

std::vector<std::vector<std::string>> MainWindowTest::rows() const {
  std::vector<std::vector<std::string>> out;
  for (int r = 0; r < list().itemCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < 5; ++c) row.push_back(list().itemText(r, c));
    out.push_back(row);
  }
  return out;
}

void MainWindowTest::clickRow(int row) const { clickListRow(list(), row); }

void MainWindowTest::clickButton(const std::string& name) const {
  main->control<gui::CommandButton>(name).click();
}

void MainWindowTest::chooseMenu(const std::string& name, int index) const {
  SendMessageW(main->hwnd(), WM_COMMAND, main->menu(name, index).id(), 0);
}

bool MainWindowTest::enabled(const std::string& name) const {
  return IsWindowEnabled(main->control(name).hwnd()) != FALSE;
}

bool MainWindowTest::menuEnabled(const std::string& name, int index) const {
  gui::MenuItem& item = main->menu(name, index);
  return !(GetMenuState(item.parent()->popup(), item.id(), MF_BYCOMMAND) & MF_GRAYED);
}

bool MainWindowTest::trayIconExists(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = tray::kIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace quenmark::testing
