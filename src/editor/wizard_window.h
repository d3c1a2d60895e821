#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "app/app_windows.h"
#include "editor/wizard_host.h"
#include "editor/wizard_logic.h"
#include "gui/form.h"

namespace quenmark {

// The schedule wizard: creates a schedule, or with EditMode changes CurrentSchedule. The
// main window holds the one instance for the whole run (it implements WizardHost) and
// unloads it with its other windows; the Forms collection lists it only while it is
// loaded. Each opening after an unload loads it afresh. Its handlers read the controls,
// run the wizard's logic and show the state that comes back.
class frmWizard : public gui::Form {
 public:
  frmWizard(gui::Forms& forms, AppContext& app, WizardHost& host);

 protected:
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdCancel_Click();
  void chkScheduler_Click();
  void chkRepeat_Click();
  void optRepeat_Click(int index);

  wizard::WizardState readControls() const;
  void showState(const wizard::WizardState& state);
  // Runs one of the logic's handlers over the controls as they are now.
  void update(const std::function<void(wizard::WizardState&)>& handler);
  std::string message(const std::string& key) const;
  std::string formatDate(std::chrono::year_month_day date) const;

  AppContext& app_;
  WizardHost& host_;
  // Whether this opening edits CurrentSchedule: fixed at load, so that a New or Edit clicked
  // in the main window while the wizard is open cannot change what OK checks.
  bool editMode_ = false;
  // Set while a state worked out by the logic is put on the controls: the click handlers
  // that the value changes raise have run in the logic already.
  bool showing_ = false;

  gui::TextBox txtName;
  gui::ComboBox cbShutdown;
  gui::Frame Frame6;
  gui::CheckBox chkScheduler;
  gui::DTPicker dtDate;
  gui::DTPicker dtTime;
  gui::CheckBox chkRepeat;
  gui::Frame frRepeat;
  gui::ControlArray<gui::OptionButton> optRepeat;
  gui::TreeView tvScheduleWeek;
  gui::TreeView tvScheduleMonth;
  gui::CommandButton cmdOK;
  gui::CommandButton cmdCancel;
};

// New and Edit of the main window (after setting app.EditMode): the wizard comes up
// modeless. One that is open already comes to the front with the user's input as it is;
// one loaded only for the template, or not loaded, is loaded afresh and shown.
void OpenWizard(frmWizard& wizard);

// Loads the wizard without showing it, so that the translation template finds its controls
// among the loaded windows. It stays loaded, hidden, until it is opened (and then loaded
// afresh) or the main window unloads it.
void LoadWizardForTemplate(frmWizard& wizard);

// Makes the main window's New and Edit, and its translation template, use this wizard.
void connectWizard(AppWindows& windows, frmWizard& wizard);

}  // namespace quenmark
