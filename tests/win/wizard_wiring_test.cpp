#include <gtest/gtest.h>

#include "app/program_win32.h"
#include "windows/wizard_window.h"
#include "support/main_window_fixture_win32.h"

namespace quenmark::testing {
namespace {

// New in the main window opens the real wizard; OK there saves and the main list shows the
// schedule with its next run; Edit opens it again on the same record; the template lists it.
TEST_F(MainWindowTest, NewOpensTheWizardWhoseSaveTheMainListShows) {
  frmMain& window = load();
  frmWizard wizard(forms, win32::wizardContext(app));
  windows.wizard = [&](const std::optional<ScheduleRecord>& toEdit) { wizard.open(toEdit); };
  windows.loadWizardForTemplate = [&] { LoadWizardForTemplate(wizard); };

  clickButton("cmdNewSchedule");
  ASSERT_TRUE(wizard.loaded());
  EXPECT_TRUE(wizard.visible());
  wizard.control("txtName").setCaption("Evening");
  wizard.control<gui::CheckBox>("chkScheduler").setValue(1);
  SendMessageW(wizard.control("cmdOK").hwnd(), BM_CLICK, 0, 0);

  EXPECT_FALSE(wizard.loaded());
  EXPECT_TRUE(scheduleFileExists("Evening"));
  auto r = rows();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0][0], "Evening");
  // Opened at 10:00:30 on 3/14/2025: the next full hour of today.
  EXPECT_EQ(r[0][3], "3/14/2025 11:00:00");

  clickRow(0);
  clickButton("cmdEdit");
  ASSERT_TRUE(wizard.visible());
  EXPECT_EQ(wizard.control("txtName").caption(), "Evening");
  EXPECT_FALSE(IsWindowEnabled(wizard.control("txtName").hwnd()));
  SendMessageW(wizard.control("cmdCancel").hwnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(wizard.loaded());

  // The template writer loads the wizard hidden and lists its controls.
  window.makeLocalizationFile();
  auto text = fs.readFile(folder.path() + "\\Localization.txt");
  ASSERT_TRUE(text.ok());
  EXPECT_NE(text->find("<FRMWIZARD_CHKSCHEDULER>Enable Scheduler</FRMWIZARD_CHKSCHEDULER>"),
            std::string::npos);
  EXPECT_FALSE(wizard.visible());
  exitProgram();
  EXPECT_FALSE(wizard.loaded());  // the main window's unload takes the wizard with it
}

}  // namespace
}  // namespace quenmark::testing
