#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/form.h"

namespace quenmark::testing {

// A window with one control of each kind, a control array of each flavour, menus and a
// timer; its handlers write what they saw into `log`.
class frmDemo : public gui::Form {
 public:
  explicit frmDemo(gui::Forms& forms, std::string name = "frmDemo");

  gui::Label lblName;
  gui::TextBox txtName;
  gui::Frame frRepeat;
  gui::ControlArray<gui::OptionButton> optRepeat;
  gui::CheckBox chkRepeat;
  gui::ComboBox cbShutdown;    // drop-down list
  gui::ComboBox cmbTime;       // editable
  gui::ListView lstSchedules;  // virtual
  gui::ListView lstPlain;
  gui::TreeView tvWeek;   // check boxes
  gui::TreeView tvMonth;  // a click flips the check
  gui::DTPicker dtDate;
  gui::DTPicker dtTime;
  gui::PictureBox pctTray;
  gui::ListBox lstQueue;
  gui::TabStrip tabMain;
  gui::ControlArray<gui::CommandButton> cmdPick;
  gui::CommandButton cmdOK;
  gui::CommandButton cmdCancel;
  gui::StatusBar sbStatus;
  gui::Timer tmrTick;

  std::vector<std::string> log;
  int rowTextCalls = 0;
  int ticks = 0;
  bool cancelClose = false;
  std::vector<gui::UnloadMode> closeModes;
  std::function<void()> onOK;  // runs inside cmdOK_Click

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, gui::UnloadMode mode) override;
  void Form_Unload(bool& cancel) override;

 private:
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdPick_Click(int index);
  void chkRepeat_Click();
  void optRepeat_Click(int index);
  void cbShutdown_KeyPress(int& keyAscii);
  void cmbTime_KeyPress(int& keyAscii);
  void lstSchedules_ItemClick(int row);
  void tvWeek_NodeClick(int node);
  void tvWeek_NodeCheck(int node);
  void tvMonth_NodeClick(int node);
  void mnuFileItem_Click(int index);
  void mnuTrayItem_Click(int index);
  void tmrTick_Timer();
};

}  // namespace quenmark::testing
