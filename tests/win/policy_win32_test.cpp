#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program_win32.h"
#include "core/settings/policy.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/program_harness_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kPolicyKey[] = "SOFTWARE\\Policies\\Tarvossa\\Quenmark";
constexpr char kLocked[] =
    "An administrator has locked the schedules of this computer: they cannot be created, changed "
    "or deleted here.";

// A DWORD as Group Policy writes it.
void setPolicy(const char* name, DWORD value) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kPolicyKey, name, REG_DWORD, &value, sizeof value);
}

class PolicyProgramTest : public ::testing::Test, public ProgramHarness {};

// The administrator's "warn" overrides the stored choice not to: the box shows it ticked and
// dimmed, a line says why, and neither the load nor a change that still arrives stores
// anything. Pictures of the window in both palettes are kept for review.
TEST_F(PolicyProgramTest, APolicyOverridesTheStoredOptionDimsItsBoxAndIsNeverStored) {
  setMachine("chkWarn", "0");
  setMachine("chkWake", "1");
  setPolicy("chkWarn", 1);
  win32::Program& p = start();
  const auto before = stored();
  p.windows().options();
  gui::Form& options = form("frmOptions");
  auto& warn = options.control<gui::CheckBox>("chkWarn");
  EXPECT_EQ(warn.value(), 1);
  EXPECT_FALSE(IsWindowEnabled(warn.hwnd()));
  EXPECT_EQ(options.control<gui::CheckBox>("chkWake").value(), 1) << "not set by policy";
  EXPECT_TRUE(IsWindowEnabled(options.control("chkWake").hwnd()));
  const gui::Control& line = options.control("lblPolicy");
  EXPECT_TRUE(IsWindowVisible(line.hwnd()));
  EXPECT_EQ(line.caption(),
            "Options shown dimmed are set by your administrator and cannot be changed here.");
  EXPECT_EQ(options.scaleHeight(), 3630) << "the line below the frames, with its room";
  gui::SkinObject* skin = p.skin();
  ASSERT_NE(skin, nullptr);
  for (bool dark : {false, true}) {
    skin->setSettingsSource([dark] { return DisplaySettings{.appsDark = dark}; });
    skin->settingsChanged();
    pumpFor(p.forms(), 200ms);
    RedrawWindow(options.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(saveWindowBitmap(options.hwnd(), screenshotFolder() + "\\options-policy" +
                                                     (dark ? "-dark.bmp" : "-light.bmp")));
  }
  warn.setValue(0);  // as a click that still arrived would
  EXPECT_EQ(stored(), before);
  EXPECT_EQ(p.app().options.get(Setting::chkWarn), "1");
}

// Locked by policy: New, Edit and Delete, by button or menu, say so and change nothing.
TEST_F(MainWindowTest, LockedSchedulesRefuseNewEditAndDeleteWithTheMessage) {
  registry.putDword(reg::kHkeyLocalMachine, kPolicyKey, "SchedulesLocked", 1);
  ScheduleRecord keep;
  keep.Name = "Keep";
  keep.ItemType = "Reboot";
  writeSchedule(keep);
  load();
  clickButton("cmdNewSchedule");
  clickRow(0);
  clickButton("cmdEdit");
  clickButton("cmdDelete");
  chooseMenu("mnuFileItem", 0);
  chooseMenu("mnuFileItem", 2);
  ASSERT_EQ(dialogs.shown.size(), 5u) << "no question before the refusal";
  for (const auto& shown : dialogs.shown) {
    EXPECT_EQ(shown.text, kLocked);
    EXPECT_EQ(shown.title, "Quenmark");
  }
  EXPECT_TRUE(opened.empty()) << opened.front();
  EXPECT_TRUE(scheduleFileExists("Keep"));
  EXPECT_EQ(events.records, std::vector<std::string>{"1 I: 1"}) << "only the start: no change";
}

// "Prevent any schedules from running" set by policy: ticked and dimmed, and nothing runs.
TEST_F(MainWindowTest, APausePolicyTicksAndDimsTheBoxAndPausesTheSchedules) {
  registry.putDword(reg::kHkeyLocalMachine, kPolicyKey, "chkPrevent", 1);
  load();
  auto& prevent = main->control<gui::CheckBox>("chkPrevent");
  EXPECT_EQ(prevent.value(), 1);
  EXPECT_FALSE(enabled("chkPrevent"));
  EXPECT_TRUE(app.schedules.paused());
  prevent.setValue(0);  // as a click that still arrives would
  EXPECT_TRUE(app.schedules.paused()) << "the policy holds";
}

}  // namespace
}  // namespace quenmark::testing
