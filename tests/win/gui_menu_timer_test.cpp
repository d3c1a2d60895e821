#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/win32/text_win32.h"
#include "support/demo_form_win32.h"
#include "support/gui_pump_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

struct MenuTimerTest : ::testing::Test {
  gui::Forms forms;
  frmDemo f{forms};
  MenuTimerTest() { f.load(); }
};

std::wstring menuText(HMENU menu, UINT position) {
  wchar_t buffer[64] = {};
  GetMenuStringW(menu, position, buffer, static_cast<int>(std::size(buffer)), MF_BYPOSITION);
  return buffer;
}

TEST_F(MenuTimerTest, MenusAreBuiltFromTheTable) {
  HMENU bar = GetMenu(f.hwnd());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 2) << "the hidden tray menu stays off the bar";
  EXPECT_EQ(menuText(bar, 0), L"File");
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(file, f.menu("mnuFile").popup());
  EXPECT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(menuText(file, 3), L"Exit");
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemCount(f.menu("mnuTray").popup()), 4);
  EXPECT_EQ(f.menu("mnuTrayItem", 3).index(), 3);
}

TEST_F(MenuTimerTest, MenuItemsEnableAndCheck) {
  HMENU file = f.menu("mnuFile").popup();
  gui::MenuItem& edit = f.menu("mnuFileItem", 1);
  EXPECT_FALSE(edit.enabled());
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_GRAYED);
  edit.setEnabled(true);
  EXPECT_FALSE(GetMenuState(file, 1, MF_BYPOSITION) & MF_GRAYED);
  edit.setChecked(true);
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(MenuTimerTest, MenuCommandsReachTheHandlerWithTheIndex) {
  SendMessageW(f.hwnd(), WM_COMMAND, f.menu("mnuTrayItem", 3).id(), 0);
  SendMessageW(f.hwnd(), WM_COMMAND, f.menu("mnuFileItem", 0).id(), 0);
  SendMessageW(f.hwnd(), WM_COMMAND, f.menu("mnuHelpItem", 0).id(), 0);  // no handler
  EXPECT_EQ(f.log,
            (std::vector<std::string>{"Form_Load", "mnuTrayItem_Click 3", "mnuFileItem_Click 0"}));
}

TEST_F(MenuTimerTest, TimerTicksThroughTheMessageLoop) {
  TimerSwitch& timer = f.tmrTick;
  timer.setInterval(20);
  EXPECT_EQ(f.ticks, 0);
  EXPECT_FALSE(f.tmrTick.running()) << "disabled at design";
  timer.setEnabled(true);
  EXPECT_TRUE(pumpUntil(forms, [&] { return f.ticks >= 2; }));
  timer.setEnabled(false);
  int ticks = f.ticks;
  pumpFor(forms, 150ms);
  EXPECT_EQ(f.ticks, ticks);
  timer.setEnabled(true);
  timer.setInterval(0);
  EXPECT_FALSE(f.tmrTick.running()) << "an interval of 0 stops it";
  pumpFor(forms, 100ms);
  EXPECT_EQ(f.ticks, ticks);
}

TEST_F(MenuTimerTest, TimerStopsWithItsWindowAndRunsAgainOnReload) {
  f.tmrTick.setInterval(20);
  f.tmrTick.setEnabled(true);
  f.unload();
  EXPECT_FALSE(f.tmrTick.running());
  f.load();
  EXPECT_TRUE(f.tmrTick.running());
  EXPECT_TRUE(pumpUntil(forms, [&] { return f.ticks >= 1; }));
}

TEST_F(MenuTimerTest, TranslationReachesTheRealControls) {
  const std::string russian = "\u041e\u0442\u043c\u0435\u043d\u0430";
  const std::string japanese = "\u30ad\u30e3\u30f3\u30bb\u30eb";
  TranslatableWindow& window = f;
  EXPECT_EQ(window.name(), "frmDemo");
  for (TranslatableControl* c : window.controls()) {
    if (c->name() == "cmdCancel") c->setCaption(russian);
    if (c->name() == "optRepeat" && c->index() == 1) c->setCaption(japanese);
    if (c->name() == "lstSchedules") c->setColumnText(4, japanese);
    if (c->name() == "tabMain") c->setTabCaption(1, russian);
    if (c->name() == "mnuFileItem" && c->index() == 3) c->setCaption(russian);
    c->refresh();
  }
  wchar_t buffer[64] = {};
  GetWindowTextW(f.cmdCancel.hwnd(), buffer, 64);
  EXPECT_EQ(std::wstring(buffer), win32::widen(russian));
  GetWindowTextW(f.optRepeat[1].hwnd(), buffer, 64);
  EXPECT_EQ(std::wstring(buffer), win32::widen(japanese));

  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = buffer;
  column.cchTextMax = 64;
  SendMessageW(f.lstSchedules.hwnd(), LVM_GETCOLUMNW, 3, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(std::wstring(buffer), win32::widen(japanese));
  EXPECT_EQ(f.lstSchedules.columnCount(), 5);

  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = buffer;
  tab.cchTextMax = 64;
  SendMessageW(f.tabMain.hwnd(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(std::wstring(buffer), win32::widen(russian));

  EXPECT_EQ(menuText(f.menu("mnuFile").popup(), 3), win32::widen(russian));
  EXPECT_EQ(f.menu("mnuFileItem", 3).caption(), russian);
}

}  // namespace
}  // namespace quenmark::testing
