#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "platform/win32/handles.h"
#include "platform/win32/meters_win32.h"
#include "support/gui_pump_win32.h"
#include "support/layout_check_win32.h"
#include "support/program_harness_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// The real meters under Wine read real values (processes: the test below, with a real child).
TEST(Win32Meters, ReadRealValues) {
  win32::Win32Meters m;
  // A mouse move is input: the idle time starts again.
  Sleep(300);
  const std::optional<std::uint64_t> idle = m.sinceLastInput();
  ASSERT_TRUE(idle.has_value());
  EXPECT_GE(*idle, 250u);
  EXPECT_LE(*idle, m.tickCount()) << "no input before the system started";
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = 1;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  ASSERT_EQ(SendInput(1, &move, sizeof move), 1u);
  EXPECT_LT(m.sinceLastInput().value_or(~0ull), 250u);

  const std::optional<ProcessorTimes> t1 = m.processorTimes();
  ASSERT_TRUE(t1.has_value());
  EXPECT_GE(t1->kernel, t1->idle) << "kernel time includes idle time";
  Sleep(50);
  const std::optional<ProcessorTimes> t2 = m.processorTimes();
  ASSERT_TRUE(t2.has_value());
  EXPECT_GT(t2->kernel + t2->user, t1->kernel + t1->user) << "time goes on";
  EXPECT_TRUE(m.networkOctets().has_value()) << "iphlpapi's table";
}

// The program as WinMain wires it, with the real meters: "When..." and Go open the Condition
// window; the entry waits for a real child program, and when it ends the action comes through
// the countdown although "Warn 30 seconds..." is off.
class ConditionWindowTest : public ::testing::Test, public ProgramHarness {
 protected:
  ~ConditionWindowTest() override {
    if (child_.hProcess) {
      TerminateProcess(child_.hProcess, 0);
      CloseHandle(child_.hProcess);
      CloseHandle(child_.hThread);
    }
  }
  void click(gui::Form& window, const std::string& button) {
    SendMessageW(window.control(button).hwnd(), BM_CLICK, 0, 0);
  }
  // A child that runs until the test lets it go on: made suspended, it ends at once once
  // resumed.
  DWORD startChild() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    wchar_t command[] = L"cmd.exe /c exit 0";
    EXPECT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &si, &child_));
    return child_.dwProcessId;
  }
  bool called(const std::string& call) const {
    const auto& c = power.calls();
    return std::find(c.begin(), c.end(), call) != c.end();
  }

  PROCESS_INFORMATION child_{};
};

TEST_F(ConditionWindowTest, ARealProgramEndsAndTheActionComesThroughTheCountdown) {
  start();
  frmMain& main = *program->mainWindow();
  auto& cmbTime = main.control<gui::ComboBox>("cmbTime");
  EXPECT_EQ(cmbTime.list(cmbTime.listCount() - 1), "When...") << "after \"In 1 Month\"";
  main.control<gui::ComboBox>("cbShutdown").setText("Reboot");
  cmbTime.setText("When...");
  click(main, "cmdGo");
  gui::Form* condition = program->forms().find("frmCondition");
  ASSERT_NE(condition, nullptr);
  EXPECT_TRUE(condition->visible());
  EXPECT_EQ(condition->control("cbAction").caption(), "Reboot") << "the main window's action";
  // The skin's copies lie on their labels by design; nothing else may overlap.
  std::vector<std::string> faults = layoutFaults(*condition);
  std::erase_if(faults, [](const std::string& f) { return f.ends_with("covers SkinLabel1"); });
  EXPECT_EQ(faults, std::vector<std::string>{});

  click(*condition, "cmdOK");
  ASSERT_EQ(dialogs.shown.size(), 1u) << "no program chosen";
  EXPECT_EQ(dialogs.shown[0].text, "Choose a program in the list or type its file name.");
  ASSERT_TRUE(isLoaded("frmCondition")) << "stays open";

  const DWORD id = startChild();
  click(*condition, "cmdRefresh");
  auto& list = condition->control<gui::ListView>("lstPrograms");
  int row = -1;
  for (int r = 0; r < list.itemCount(); ++r) {
    if (list.itemText(r, 2) == std::to_string(id)) row = r;
  }
  ASSERT_GE(row, 0) << "the child is listed";
  EXPECT_EQ(list.itemText(row, 1), "cmd.exe");
  condition->control<gui::ComboBox>("cbAction").setText("Shut Down");
  clickListRow(list, row);
  click(*condition, "cmdOK");
  EXPECT_FALSE(isLoaded("frmCondition")) << "closed by OK";

  const ScheduleList& entries = program->app().schedules.list();
  ASSERT_EQ(entries.count(), 1u);
  EXPECT_EQ(entries.at(0).type, "Shut Down");
  EXPECT_EQ(entries.at(0).nextRunTime, "When cmd.exe ends; the computer is kept awake");
  EXPECT_TRUE(called("SetThreadExecutionState(flags=0x80000001)"));
  pumpFor(program->forms(), 1500ms);
  EXPECT_FALSE(isLoaded("frmCountdown")) << "it still runs";

  ResumeThread(child_.hThread);
  ASSERT_EQ(WaitForSingleObject(child_.hProcess, 10000), WAIT_OBJECT_0);
  ASSERT_TRUE(pumpUntil(program->forms(), [&] { return isLoaded("frmCountdown"); }));
  gui::Form& countdown = form("frmCountdown");
  EXPECT_EQ(countdown.control("lblAction").caption(), "Shut Down");
  EXPECT_FALSE(called("ExitWindowsEx(flags=5, reserved=0)")) << "the countdown first";
  click(countdown, "cmdNow");
  EXPECT_TRUE(called("ExitWindowsEx(flags=5, reserved=0)"));
  EXPECT_TRUE(called("SetThreadExecutionState(flags=0x80000000)")) << "nothing waits any more";
}

// Cancel takes the entry out of the list: the row selected below it no longer stays selected,
// so that Delete cannot reach the entry that moved into its place.
TEST_F(ConditionWindowTest, CancelRemovesTheEntryAndNoOtherRowStaysSelected) {
  start();
  frmMain& main = *program->mainWindow();
  ScheduleService& schedules = program->app().schedules;
  const DWORD id = startChild();
  schedules.whenCondition({.kind = ConditionKind::ProgramEnds, .processId = id,
                           .processStarted = program->app().platform.meters.processStarted(id)
                                                 .value_or(0),
                           .fileName = "cmd.exe"},
                          "Shut Down");
  schedules.quickSchedule("In 1 Hour", "Reboot");
  schedules.quickSchedule("In 2 Hours", "Log Off");
  auto& list = main.control<gui::ListView>("lstSchedules");
  clickListRow(list, 1);  // "Reboot", which moves up to row 0
  ASSERT_TRUE(IsWindowEnabled(main.control("cmdDelete").hwnd()));

  TerminateProcess(child_.hProcess, 0);
  ASSERT_TRUE(pumpUntil(program->forms(), [&] { return isLoaded("frmCountdown"); }));
  click(form("frmCountdown"), "cmdCancel");
  ASSERT_EQ(schedules.list().count(), 2u);
  EXPECT_EQ(schedules.list().at(1).type, "Log Off");
  EXPECT_EQ(list.selectedRow(), std::nullopt);
  EXPECT_FALSE(IsWindowEnabled(main.control("cmdDelete").hwnd()));
  EXPECT_TRUE(called("SetThreadExecutionState(flags=0x80000000)"));
  EXPECT_FALSE(called("ExitWindowsEx(flags=5, reserved=0)"));
}

}  // namespace
}  // namespace quenmark::testing
