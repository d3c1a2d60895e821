#pragma once

#include <functional>
#include <string>

#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "core/settings/options.h"

namespace quenmark {

// What the still-running notice reads and may change.
struct StillRunningContext {
  Options& options;  // "chkNoShow" and "chkAlwaysExit"
  clsLanguages& languages;
  // Unloads the main window, which ends the program, once the message in hand is done.
  std::function<void()> endProgram;
  gui::SkinHook skin{};
};

// Told when the main window is closed but the program goes on in the tray: the user may
// silence it, or choose to exit completely from now on.
class frmStillRunning : public gui::Form {
 public:
  frmStillRunning(gui::Forms& forms, StillRunningContext context);
  void open();

 protected:
  void Form_Load() override;

 private:
  void cmdOK_Click();

  StillRunningContext app_;
  bool ending_ = false;  // its load found that closing the main window exits
  gui::Label Label1;
  gui::Label Label2;
  gui::CheckBox chkNoShow;
  gui::CheckBox chkAlwaysExit;
  gui::CommandButton cmdOK;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
};

}  // namespace quenmark
