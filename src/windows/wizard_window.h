#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <optional>

#include "base/identity.h"
#include "core/schedule/schedule_service.h"
#include "core/wizard/wizard_model.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/regional.h"
#include "platform/text_codec.h"

namespace quenmark {

// What the wizard reads: the seams it uses, the catalogue and the language in effect.
struct WizardContext {
  FileSystem& fs;
  const TextCodec& codec;
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  clsLanguages& languages;
  const ProductIdentity& identity;
  std::string programFolder;
  ScheduleService& schedules;  // the names a new schedule must not take; told of each save
  gui::SkinHook skin{};        // empty while skinning is off
};

// The schedule wizard: creates a schedule, or changes the one it is opened with, and hands
// the saved record to the schedule service. The program holds the one instance for the
// whole run; the main window unloads it with its other windows, and the Forms collection lists it only while it is
// loaded. Each opening after an unload loads it afresh.
class frmWizard : public gui::Form {
 public:
  frmWizard(gui::Forms& forms, WizardContext context);

  // New (nothing to edit) and Edit of the main window: the wizard comes up modeless. One
  // that is open already comes to the front with the user's input as it is; one loaded
  // only for the template, or not loaded, is loaded afresh for `toEdit` and shown. Without
  // `show` it is only loaded, hidden.
  void open(const std::optional<ScheduleRecord>& toEdit, bool show = true);

 protected:
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdCancel_Click();
  void chkScheduler_Click();
  void chkRepeat_Click();
  void optRepeat_Click(int index);

  // Puts the model's values on the controls, then its view.
  void showModel();
  // Enables, shows and hides the controls as the model says.
  void showView();
  // The model as the controls show it now.
  wizard::WizardModel readModel() const;
  std::string message(const std::string& key) const;

  WizardContext app_;
  // The schedule this opening edits, if any: fixed at load, so that a New or Edit clicked
  // in the main window while the wizard is open cannot change what OK checks.
  std::optional<ScheduleRecord> next_;  // what the next load edits
  wizard::WizardModel model_;

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

// Loads the wizard without showing it, so that the translation template finds its controls
// among the loaded windows. It stays loaded, hidden, until it is opened (and then loaded
// afresh) or the main window unloads it.
void LoadWizardForTemplate(frmWizard& wizard);

}  // namespace quenmark
