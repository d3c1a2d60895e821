#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/win32/text_win32.h"
#include "support/demo_form_win32.h"
#include "support/gui_pump_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

struct ControlsTest : ::testing::Test {
  gui::Forms forms;
  frmDemo f{forms};
  ControlsTest() {
    f.show();
    f.log.clear();
  }
  std::vector<std::string> logged() { return std::exchange(f.log, {}); }
  void key(HWND w, WPARAM vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
    gui::doEvents(forms);
  }
};

POINT itemPoint(HWND tree, HTREEITEM item, bool stateIcon) {
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RECT r{};
  std::memcpy(&r, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
  SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));  // the text only
  // The check box stands just left of the text.
  return stateIcon ? POINT{r.left - 8, (r.top + r.bottom) / 2}
                   : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HTREEITEM nthItem(HWND tree, int n) {
  auto h = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  while (--n > 0) {
    h = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(h)));
  }
  return h;
}

void click(HWND w, POINT p, UINT down = WM_LBUTTONDOWN) {
  // The tree view follows a button down with a loop that waits for the button up.
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  SendMessageW(w, down, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

int stateImage(HWND tree, HTREEITEM item) {
  return static_cast<int>(
      SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK) >>
      12);
}

TEST_F(ControlsTest, ClickReachesTheHandlerWithTheArrayIndex) {
  SendMessageW(f.cmdPick[2].hwnd(), BM_CLICK, 0, 0);
  SendMessageW(f.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f.cmdPick[0].hwnd()), BN_CLICKED),
               reinterpret_cast<LPARAM>(f.cmdPick[0].hwnd()));
  SendMessageW(f.cmdOK.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(logged(),
            (std::vector<std::string>{"cmdPick_Click 2", "cmdPick_Click 0", "cmdOK_Click"}));
}

TEST_F(ControlsTest, CheckBoxValueSetFromCodeRunsItsClickOnce) {
  f.chkRepeat.setValue(1);
  f.chkRepeat.setValue(1);
  EXPECT_EQ(SendMessageW(f.chkRepeat.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(f.chkRepeat.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(f.chkRepeat.value(), 0);
  EXPECT_EQ(logged(), (std::vector<std::string>{"chkRepeat_Click 1", "chkRepeat_Click 0"}));
}

TEST_F(ControlsTest, OptionButtonsAreExclusiveWithinTheirFrame) {
  SendMessageW(f.optRepeat[1].hwnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(f.optRepeat[0].value());
  EXPECT_TRUE(f.optRepeat[1].value());
  f.optRepeat[2].setValue(true);
  f.optRepeat[2].setValue(true);
  EXPECT_FALSE(f.optRepeat[1].value());
  EXPECT_EQ(SendMessageW(f.optRepeat[2].hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(logged(), (std::vector<std::string>{"optRepeat_Click 1", "optRepeat_Click 2"}));
}

TEST_F(ControlsTest, EnterInAComboBoxIsAKeyPressNotTheDefaultButton) {
  f.cbShutdown.setFocus();
  key(GetFocus(), VK_RETURN);
  f.cmbTime.setFocus();
  HWND edit = GetFocus();
  EXPECT_NE(edit, f.cmbTime.hwnd()) << "an editable combo types into its edit field";
  key(edit, VK_RETURN);
  EXPECT_EQ(logged(), (std::vector<std::string>{"cbShutdown_KeyPress 13", "cmbTime_KeyPress 13"}));
}

TEST_F(ControlsTest, APickInAnEditableComboClicksWithThePickedItemAsItsText) {
  std::vector<std::string> seen;
  f.cmbTime.on(gui::Event::Click, [&] { seen.push_back(f.cmbTime.text()); });
  f.cmbTime.setListIndex(0);  // "Now"
  f.cmbTime.setFocus();
  key(GetFocus(), VK_DOWN);
  key(GetFocus(), VK_DOWN);
  EXPECT_EQ(seen, (std::vector<std::string>{"In 1 Minute", "In 5 Minutes"}));
}

TEST_F(ControlsTest, ALineIsEtchedAcrossOrUpright) {
  gui::Control& across = f.addControl({gui::Kind::Line, "Line1", {}, "", 120, 6480, 3000, 30});
  gui::Control& upright = f.addControl({gui::Kind::Line, "Line2", {}, "", 3300, 6480, 30, 600});
  EXPECT_EQ(across.typeName(), "Line");
  EXPECT_EQ(GetWindowLongW(across.hwnd(), GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDHORZ);
  EXPECT_EQ(GetWindowLongW(upright.hwnd(), GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDVERT);
}

TEST_F(ControlsTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  f.txtName.setFocus();
  key(GetFocus(), VK_RETURN);
  key(GetFocus(), VK_ESCAPE);
  EXPECT_EQ(logged(), (std::vector<std::string>{"cmdOK_Click", "cmdCancel_Click"}));
}

TEST_F(ControlsTest, TabMovesInTableOrder) {
  f.txtName.setFocus();
  key(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), f.optRepeat[0].hwnd());
  key(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), f.chkRepeat.hwnd()) << "one stop for the option group";
  f.optRepeat[2].setValue(true);
  f.txtName.setFocus();
  key(GetFocus(), VK_TAB);
  EXPECT_EQ(GetFocus(), f.optRepeat[2].hwnd()) << "the stop is the chosen option";
}

TEST_F(ControlsTest, VirtualListShowsTenThousandRowsThroughTheCallback) {
  HWND list = f.lstSchedules.hwnd();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 10000);
  EXPECT_LT(f.rowTextCalls, 1000) << "rows are asked for only when shown";
  wchar_t buffer[32] = {};
  LVITEMW item{};
  item.iSubItem = 3;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(std::size(buffer));
  SendMessageW(list, LVM_GETITEMTEXTW, 9999, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(buffer), L"r9999c3");
  EXPECT_EQ(f.lstSchedules.itemText(42, 0), "r42c0");
  f.lstSchedules.setRowCount(3);
  EXPECT_EQ(f.lstSchedules.itemCount(), 3);
}

TEST_F(ControlsTest, PlainListHoldsItsRows) {
  int row = f.lstPlain.addItem("night");
  f.lstPlain.addItem("\u65e5\u672c");
  EXPECT_EQ(f.lstPlain.itemCount(), 2);
  EXPECT_EQ(f.lstPlain.itemText(row, 0), "night");
  EXPECT_EQ(f.lstPlain.itemText(1, 0), "\u65e5\u672c");
  f.lstPlain.clear();
  EXPECT_EQ(f.lstPlain.itemCount(), 0);
}

TEST_F(ControlsTest, ColumnWidthsRoundTripInTwips) {
  HWND list = f.lstSchedules.hwnd();
  EXPECT_EQ(f.lstSchedules.columnWidth(1), 2500);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 167);
  f.lstSchedules.setColumnWidth(2, 1234);
  EXPECT_EQ(f.lstSchedules.columnWidth(2), 1234);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 82);
  // Dragged by the user: read from the control.
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, 100);
  EXPECT_EQ(f.lstSchedules.columnWidth(3), 1500);
}

TEST_F(ControlsTest, ItemClickFollowsTheUsersSelectionOnly) {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(f.lstSchedules.hwnd(), LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(f.lstSchedules.selectedRow(), 5);
  f.lstSchedules.setSelectedRow(7);
  EXPECT_EQ(f.lstSchedules.selectedRow(), 7);
  EXPECT_EQ(logged(), std::vector<std::string>{"lstSchedules_ItemClick 5"});
}

TEST_F(ControlsTest, TreeViewNodesKeepKeysTextsAndChecks) {
  HWND tree = f.tvWeek.hwnd();
  EXPECT_EQ(f.tvWeek.nodeCount(), 3);
  EXPECT_EQ(f.tvWeek.nodeKey(2), "tue");
  EXPECT_EQ(f.tvWeek.nodeText(2), "Tuesday");
  EXPECT_EQ(f.tvWeek.findKey("wed"), 3);
  EXPECT_EQ(stateImage(tree, nthItem(tree, 2)), 1) << "a new node shows an unchecked box";
  f.tvWeek.setChecked(2, true);
  EXPECT_EQ(stateImage(tree, nthItem(tree, 2)), 2);
  EXPECT_TRUE(f.tvWeek.checked(2));
  EXPECT_FALSE(f.tvWeek.checked(1));
  EXPECT_TRUE(logged().empty()) << "checks set from code raise nothing";
}

TEST_F(ControlsTest, UserClickOnACheckBoxRaisesNodeCheck) {
  HWND tree = f.tvWeek.hwnd();
  click(tree, itemPoint(tree, nthItem(tree, 3), true));
  EXPECT_TRUE(f.tvWeek.checked(3));
  click(tree, itemPoint(tree, nthItem(tree, 1), false));
  EXPECT_FALSE(f.tvWeek.checked(1)) << "a click on the text only selects";
  EXPECT_EQ(f.tvWeek.selectedNode(), 1);
  EXPECT_EQ(logged(), (std::vector<std::string>{"tvWeek_NodeCheck 3", "tvWeek_NodeClick 1"}));
}

TEST_F(ControlsTest, FlipOnClickFlipsExactlyOnce) {
  HWND tree = f.tvMonth.hwnd();
  const struct {
    const char* what;
    int node;
    bool onBox;
    UINT message;
  } cases[] = {
      {"click on the text", 15, false, WM_LBUTTONDOWN},
      {"click on the box", 1, true, WM_LBUTTONDOWN},
      {"second click of a double click", 2, false, WM_LBUTTONDBLCLK},
  };
  for (const auto& c : cases) {
    bool before = f.tvMonth.checked(c.node);
    click(tree, itemPoint(tree, nthItem(tree, c.node), c.onBox), c.message);
    gui::doEvents(forms);
    EXPECT_NE(f.tvMonth.checked(c.node), before) << c.what;
    EXPECT_EQ(logged(), std::vector<std::string>{"tvMonth_NodeClick " + std::to_string(c.node)})
        << c.what;
    EXPECT_EQ(f.tvMonth.selectedNode(), c.node) << c.what;
  }
  click(tree, itemPoint(tree, nthItem(tree, 15), false));
  EXPECT_FALSE(f.tvMonth.checked(15)) << "a second click flips it back";
}

TEST_F(ControlsTest, PickersSetAndGetDatesAndTimes) {
  f.dtDate.setDate(2026y / December / 31);
  EXPECT_EQ(f.dtDate.date(), 2026y / December / 31);
  f.dtTime.setTimeOfDay(17h + 5min + 9s);
  EXPECT_EQ(f.dtTime.timeOfDay(), 17h + 5min + 9s);
  SYSTEMTIME st{};
  SendMessageW(f.dtTime.hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  EXPECT_EQ(st.wHour, 17);
  EXPECT_EQ(st.wSecond, 9);
  local_seconds at = local_days{2027y / February / 1} + 7h + 5min;
  f.dtTime.setValue(at);
  EXPECT_EQ(f.dtTime.value(), at);
  EXPECT_TRUE(logged().empty()) << "values set from code raise no Change";
}

TEST_F(ControlsTest, CombosListsAndTabs) {
  EXPECT_EQ(f.cbShutdown.text(), "Shut Down");
  f.cbShutdown.setText("Log Off");
  EXPECT_EQ(f.cbShutdown.listIndex(), 2);
  EXPECT_THROW(f.cbShutdown.setText("Dance"), std::invalid_argument);
  f.cmbTime.setText("In 2 Hours");
  EXPECT_EQ(f.cmbTime.text(), "In 2 Hours") << "an editable combo takes any text";
  f.lstQueue.addItem("night");
  f.lstQueue.addItem("noon");
  f.lstQueue.removeItem(0);
  EXPECT_EQ(f.lstQueue.listCount(), 1);
  EXPECT_EQ(f.lstQueue.list(0), "noon");
  EXPECT_EQ(f.tabMain.tabCount(), 2);
  EXPECT_EQ(f.tabMain.tabCaption(2), "Advanced");
}

}  // namespace
}  // namespace quenmark::testing
