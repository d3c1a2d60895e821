#include "support/demo_form_win32.h"

namespace quenmark::testing {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;
namespace menuopt = gui::menuopt;

frmDemo::frmDemo(gui::Forms& forms, std::string name)
    : gui::Form(forms, std::move(name), {.caption = "Demo", .width = 9000, .height = 7500}),
      tmrTick(*this, "tmrTick", 0, false) {
  addControls({
      {Kind::Label, "lblName", {}, "Name:", 120, 120, 1200, 255, "", 0, lblName},
      {Kind::TextBox, "txtName", {}, "", 1440, 120, 3000, 315, "", 0, txtName},
      {Kind::Frame, "frRepeat", {}, "Repeat", 120, 600, 3000, 1500, "", 0, frRepeat},
      {Kind::OptionButton, "optRepeat", 0, "Daily", 120, 240, 1200, 255, "frRepeat", 0, optRepeat},
      {Kind::OptionButton, "optRepeat", 1, "Weekly", 120, 540, 1200, 255, "frRepeat", 0, optRepeat},
      {Kind::OptionButton, "optRepeat", 2, "Monthly", 120, 840, 1200, 255, "frRepeat", 0,
       optRepeat},
      {Kind::CheckBox, "chkRepeat", {}, "Run Schedule", 3300, 600, 2000, 255, "", 0, chkRepeat},
      {Kind::ComboBox, "cbShutdown", {}, "", 3300, 960, 2000, 315, "", 0, cbShutdown},
      {Kind::ComboBox, "cmbTime", {}, "Now", 3300, 1320, 2000, 315, "", opt::kEditable, cmbTime},
      {Kind::ListView,
       "lstSchedules",
       {},
       "",
       120,
       2220,
       6000,
       1500,
       "",
       opt::kVirtual,
       lstSchedules},
      {Kind::ListView, "lstPlain", {}, "", 6240, 2220, 2400, 1500, "", 0, lstPlain},
      {Kind::TreeView, "tvWeek", {}, "", 120, 3840, 2000, 1500, "", opt::kCheckBoxes, tvWeek},
      {Kind::TreeView, "tvMonth", {}, "", 2220, 3840, 2000, 1500, "", opt::kFlipOnClick, tvMonth},
      {Kind::DTPicker, "dtDate", {}, "", 4320, 3840, 1800, 315, "", 0, dtDate},
      {Kind::DTPicker, "dtTime", {}, "", 4320, 4260, 1800, 315, "", opt::kTimeFormat, dtTime},
      {Kind::PictureBox, "pctTray", {}, "", 0, 0, 480, 480, "", opt::kHidden, pctTray},
      {Kind::ListBox, "lstQueue", {}, "", 0, 0, 1200, 600, "", opt::kHidden, lstQueue},
      {Kind::TabStrip, "tabMain", {}, "", 6240, 3840, 2400, 1200, "", 0, tabMain},
      {Kind::Label, "Label1", {}, "Temporary Scheduler:", 120, 5460, 2000, 255},
      {Kind::SkinLabel, "SkinLabel1", 0, "Skinned", 2220, 5460, 2000, 255},
      {Kind::CommandButton, "cmdPick", 0, "One", 120, 5880, 1000, 375, "", 0, cmdPick},
      {Kind::CommandButton, "cmdPick", 1, "Two", 1200, 5880, 1000, 375, "", 0, cmdPick},
      {Kind::CommandButton, "cmdPick", 2, "Three", 2280, 5880, 1000, 375, "", 0, cmdPick},
      {Kind::CommandButton, "cmdOK", {}, "OK", 5400, 5880, 1215, 375, "", opt::kDefault, cmdOK},
      {Kind::CommandButton,
       "cmdCancel",
       {},
       "Cancel",
       6720,
       5880,
       1215,
       375,
       "",
       opt::kCancel,
       cmdCancel},
      {Kind::StatusBar, "sbStatus", {}, "Ready", 0, 0, 0, 0, "", 0, sbStatus},
  });
  addMenus({
      {"mnuFile", {}, "File"},
      {"mnuFileItem", 0, "New Schedule", "mnuFile"},
      {"mnuFileItem", 1, "Edit Selected", "mnuFile", menuopt::kDisabled},
      {"mnuFileItem", 2, "-", "mnuFile"},
      {"mnuFileItem", 3, "Exit", "mnuFile"},
      {"mnuHelp", {}, "Help"},
      {"mnuHelpItem", 0, "View Help", "mnuHelp"},
      {"mnuTray", {}, "Tray", "", menuopt::kHidden},
      {"mnuTrayItem", 0, "Open", "mnuTray"},
      {"mnuTrayItem", 1, "Hide Menu", "mnuTray"},
      {"mnuTrayItem", 2, "-", "mnuTray"},
      {"mnuTrayItem", 3, "Exit", "mnuTray"},
  });
  bindEvents({
      {"cmdOK", Event::Click, &frmDemo::cmdOK_Click},
      {"cmdCancel", Event::Click, &frmDemo::cmdCancel_Click},
      {"cmdPick", Event::Click, &frmDemo::cmdPick_Click},
      {"chkRepeat", Event::Click, &frmDemo::chkRepeat_Click},
      {"optRepeat", Event::Click, &frmDemo::optRepeat_Click},
      {"cbShutdown", Event::KeyPress, &frmDemo::cbShutdown_KeyPress},
      {"cmbTime", Event::KeyPress, &frmDemo::cmbTime_KeyPress},
      {"lstSchedules", Event::ItemClick, &frmDemo::lstSchedules_ItemClick},
      {"tvWeek", Event::NodeClick, &frmDemo::tvWeek_NodeClick},
      {"tvWeek", Event::NodeCheck, &frmDemo::tvWeek_NodeCheck},
      {"tvMonth", Event::NodeClick, &frmDemo::tvMonth_NodeClick},
      {"mnuFileItem", Event::Click, &frmDemo::mnuFileItem_Click},
      {"mnuTrayItem", Event::Click, &frmDemo::mnuTrayItem_Click},
      {"tmrTick", Event::Timer, &frmDemo::tmrTick_Timer},
  });
  // Bound by member function rather than by the table.
  dtDate.on(Event::Change, [this] { log.push_back("dtDate_Change"); });
  for (const char* c : {"Schedule Name", "Type", "Last Run Time", "Next Run Time", "Enabled"}) {
    lstSchedules.addColumn(c, 2500);
  }
}

void frmDemo::Form_Load() {
  log.push_back("Form_Load");
  lstSchedules.setRowSource([this](int row, int column) {
    ++rowTextCalls;
    return "r" + std::to_string(row) + "c" + std::to_string(column);
  });
  lstSchedules.setRowCount(10000);
  lstPlain.addColumn("Name", 1200);
  for (const char* a : {"Shut Down", "Reboot", "Log Off", "Stand by"}) cbShutdown.addItem(a);
  cbShutdown.setListIndex(0);
  for (const char* t : {"Now", "In 1 Minute", "In 5 Minutes"}) cmbTime.addItem(t);
  const char* days[][2] = {{"mon", "Monday"}, {"tue", "Tuesday"}, {"wed", "Wednesday"}};
  for (auto& d : days) tvWeek.addNode(d[0], d[1]);
  for (int d = 1; d <= 31; ++d) tvMonth.addNode("", std::to_string(d));
  tabMain.addTab("General");
  tabMain.addTab("Advanced");
}

void frmDemo::Form_QueryUnload(bool& cancel, gui::UnloadMode mode) {
  closeModes.push_back(mode);
  cancel = cancelClose;
}

void frmDemo::Form_Unload(bool&) { log.push_back("Form_Unload"); }

void frmDemo::cmdOK_Click() {
  log.push_back("cmdOK_Click");
  if (onOK) onOK();
}
void frmDemo::cmdCancel_Click() { log.push_back("cmdCancel_Click"); }
void frmDemo::cmdPick_Click(int index) { log.push_back("cmdPick_Click " + std::to_string(index)); }
void frmDemo::chkRepeat_Click() {
  log.push_back("chkRepeat_Click " + std::to_string(chkRepeat.value()));
}
void frmDemo::optRepeat_Click(int index) {
  log.push_back("optRepeat_Click " + std::to_string(index));
}
void frmDemo::cbShutdown_KeyPress(int& keyAscii) {
  log.push_back("cbShutdown_KeyPress " + std::to_string(keyAscii));
}
void frmDemo::cmbTime_KeyPress(int& keyAscii) {
  log.push_back("cmbTime_KeyPress " + std::to_string(keyAscii));
}
void frmDemo::lstSchedules_ItemClick(int row) {
  log.push_back("lstSchedules_ItemClick " + std::to_string(row));
}
void frmDemo::tvWeek_NodeClick(int node) {
  log.push_back("tvWeek_NodeClick " + std::to_string(node));
}
void frmDemo::tvWeek_NodeCheck(int node) {
  log.push_back("tvWeek_NodeCheck " + std::to_string(node));
}
void frmDemo::tvMonth_NodeClick(int node) {
  log.push_back("tvMonth_NodeClick " + std::to_string(node));
}
void frmDemo::mnuFileItem_Click(int index) {
  log.push_back("mnuFileItem_Click " + std::to_string(index));
}
void frmDemo::mnuTrayItem_Click(int index) {
  log.push_back("mnuTrayItem_Click " + std::to_string(index));
}
void frmDemo::tmrTick_Timer() { ++ticks; }

}  // namespace quenmark::testing
