#pragma once

#include <functional>
#include <optional>
#include <string>

#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/text_codec.h"
#include "core/settings/options_logic.h"
#include "core/settings/options.h"

namespace quenmark {

// What the options window reads and may change.
struct OptionsContext {
  Options& options;           // the settings; every change goes through it
  Registry& registry;         // the all-users Run list
  Dialogs& dialogs;           // the folder choice
  const TextCodec& codec;     // the passwords' scrambling
  clsLanguages& languages;
  std::string modulePath;  // the program's file as Windows reports it, for the Run command
  gui::SkinHook skin{};    // empty while skinning is off
  // Whether the power plan lets timers wake the computer; none when it cannot say.
  std::function<std::optional<bool>()> wakeTimersAllowed{};
};

// The preferences: every change is stored the moment it is made, so there is no OK or
// Cancel; the close box unloads the window and the next opening loads it afresh. Besides the
// two visible groups it carries hidden groups (LAN folder, FTP, e-mail) and a hidden logging
// box, stored like the rest and read by nothing else.
class frmOptions : public gui::Form {
 public:
  frmOptions(gui::Forms& forms, OptionsContext context);

  // General Preferences of the main window: shown modeless, or brought to the front when it
  // is open already.
  void open();

 protected:
  void Form_Load() override;

 private:
  void chkRunAtStart_Click();
  void cmdBrowse_Click();
  // The change or click of every other stored control.
  void setting_Change(const options::Field& field);
  // Registers the program to start at log-on, or removes it, as the box says.
  void ApplyRunAtStart();
  void loadSetting(const options::Field& field);

  OptionsContext app_;

  gui::Frame Frame2;
  gui::CheckBox chkRunAtStart;
  gui::CheckBox chkMin;
  gui::CheckBox chkSplash;
  gui::Frame Frame1;
  gui::CheckBox chkNoShow;
  gui::CheckBox chkAlwaysExit;
  gui::CheckBox chkWake;
  gui::Label lblWakeBlocked;
  gui::CheckBox chkWarn;
  gui::CheckBox chkLog;
  gui::TextBox txtLanFolder;
  gui::CommandButton cmdBrowse;
  gui::TextBox txtFTPHost;
  gui::TextBox txtFTPPort;
  gui::TextBox txtFTPUsername;
  gui::TextBox txtFTPPassword;
  gui::TextBox txtFTPFolder;
  gui::TextBox txtEmailFrom;
  gui::TextBox txtServer;
  gui::TextBox txtPort;
  gui::TextBox txtEmailTo;
  gui::TextBox txtUsername;
  gui::TextBox txtPassword2;
  gui::CheckBox chkAuth;
  gui::CheckBox chkAttachment;
  gui::CommandButton cmdSend;
  gui::ControlArray<gui::SkinLabel> SkinLabel1, SkinLabel2, SkinLabel3, SkinLabel4, SkinLabel5,
      SkinLabel6;
  gui::Label lblPolicy;
};

}  // namespace quenmark
