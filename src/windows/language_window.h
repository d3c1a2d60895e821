#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/http.h"
#include "platform/shell.h"
#include "core/settings/options.h"

namespace quenmark {

// What the language window reads and what it may change: the stored language, the catalogue
// (whose loads set the language in effect), the localization file, and the main window's
// texts through `translateMainWindow`.
struct LanguageWindowContext {
  FileSystem& fs;
  Dialogs& dialogs;
  Shell& shell;
  Http& http;
  Options& options;
  clsLanguages& languages;
  const ProductIdentity& identity;
  std::string programFolder;
  std::function<void(const std::string& language)> translateMainWindow;
  gui::SkinHook skin;
};

// The language window: picks the program's language from the groups of the localization
// file, downloads the newest file, and opens the file for translating. The program holds the
// one instance for the whole run; the main window unloads it with its other windows.
class frmLanguage : public gui::Form {
 public:
  // Combo1's design text, which stands for no pick.
  static constexpr std::string_view kNoPick = "Choose Language Here";
  // Shown when the downloaded file cannot be stored.
  static constexpr std::string_view kNotWritableMessage =
      "The new language file could not be saved in the program folder.  The language file "
      "already there has been kept.";

  frmLanguage(gui::Forms& forms, LanguageWindowContext context);

  // Modal until it closes (the first start), or modeless (the menu): then a window that is
  // open already comes to the front as it is.
  void open(bool modal);

 protected:
  void Form_Load() override;

 private:
  void RefreshLanguageList();
  void Combo1_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void OpenWithShell(const std::string& path, int showCommand);
  std::string message(const std::string& key) const;

  LanguageWindowContext app_;
  bool downloading_ = false;  // messages run during a download: a second click waits its turn

  gui::SkinLabel Label1;
  gui::ComboBox Combo1;
  gui::CommandButton Command1;
  gui::CommandButton Command3;
  gui::CommandButton Command2;
  gui::Line Line1;
};

}  // namespace quenmark
