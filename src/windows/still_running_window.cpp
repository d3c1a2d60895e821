#include "windows/still_running_window.h"

namespace quenmark {

using gui::Event;
using gui::Kind;

frmStillRunning::frmStillRunning(gui::Forms& forms, StillRunningContext context)
    : gui::Form(forms, "frmStillRunning",
                {.caption = "still running", .width = 7200, .height = 3300,
                 .style = gui::formstyle::kToolWindow,
                 .escapeCloses = true}),
      app_(std::move(context)) {
  // clang-format off
  addControls({
      {Kind::Label, "Label1", {}, "Still Running", 240, 240, 6600, 300, "", 0, Label1},
      {Kind::Label, "Label2", {},
       "will continue to run in the system tray, so that scheduled actions will be performed "
       "on time.", 240, 600, 6600, 510, "", 0, Label2},
      {Kind::CheckBox, "chkNoShow", {}, "Don't show this reminder again", 240, 1260, 6600, 255,
       "", 0, chkNoShow},
      {Kind::CheckBox, "chkAlwaysExit", {},
       "Always exit completely when I close the program, don't run scheduled events.", 240,
       1560, 6600, 450, "", 0, chkAlwaysExit},
      {Kind::CommandButton, "cmdOK", {}, "OK", 5640, 2220, 1200, 375, "",
       gui::opt::kDefault, cmdOK},
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", gui::opt::kHidden, SkinLabel1},
  });
  // clang-format on
  bindEvents({{"cmdOK", Event::Click, &frmStillRunning::cmdOK_Click}});
}

void frmStillRunning::Form_Load() {
  // Exiting completely was chosen before: the notice never shows and the program ends.
  ending_ = app_.options.ticked(Setting::chkAlwaysExit);
  if (ending_) {
    hide();
    if (app_.endProgram) app_.endProgram();
  }
  // What an administrator set is not the user's to change here either.
  chkNoShow.setEnabled(!app_.options.setByPolicy(Setting::chkNoShow));
  chkAlwaysExit.setEnabled(!app_.options.setByPolicy(Setting::chkAlwaysExit));
  setCaption(app_.languages.getMessages("MSG_TITLERUNNING"));
  app_.languages.translate(*this);
  if (app_.skin) app_.skin(*this, gui::LabelCopies::All);
}

void frmStillRunning::cmdOK_Click() {
  if (chkNoShow.checked()) app_.options.set(Setting::chkNoShow, "1");
  if (chkAlwaysExit.checked()) {
    app_.options.set(Setting::chkAlwaysExit, "1");
    if (app_.endProgram) app_.endProgram();
  }
  unload();
}

void frmStillRunning::open() {
  // Its load may end the program; then it is never shown.
  load();
  if (!loaded() || ending_) return;
  show();
  activate();
}

}  // namespace quenmark
