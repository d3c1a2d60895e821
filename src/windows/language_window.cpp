#include "windows/language_window.h"

#include "core/i18n/language_download.h"
#include "base/file_exists.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;

frmLanguage::frmLanguage(gui::Forms& forms, LanguageWindowContext context)
    : gui::Form(forms, "frmLanguage",
                {.caption = "Language Selection",
                 .width = 5400,
                 .height = 3000,
                 .style = gui::formstyle::kFixed,
                 .fontName = "Verdana"}),
      app_(std::move(context)) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::SkinLabel, "Label1", {}, "Please select the language you would like to use:",
       240, 240, 4800, 255, "", 0, Label1},
      {Kind::ComboBox, "Combo1", {}, std::string(kNoPick), 240, 600, 4800, 315, "",
       opt::kEditable, Combo1},
      {Kind::CommandButton, "Command1", {}, "Check for language updates", 240, 1380, 4800, 375,
       "", 0, Command1},
      {Kind::CommandButton, "Command3", {}, "Translate this program", 240, 1860, 3120, 375, "",
       0, Command3},
      {Kind::CommandButton, "Command2", {}, "OK", 3480, 1860, 1560, 375, "",
       opt::kDefault | opt::kCancel, Command2},
      {Kind::Line, "Line1", {}, "", 240, 1140, 4800, 30, "", 0, Line1},
  });
  // clang-format on
  bindEvents({
      {"Combo1", Event::Click, &frmLanguage::Combo1_Click},
      {"Command1", Event::Click, &frmLanguage::Command1_Click},
      {"Command2", Event::Click, &frmLanguage::Command2_Click},
      {"Command3", Event::Click, &frmLanguage::Command3_Click},
  });
}

void frmLanguage::open(bool modal) {
  if (modal) {
    showModal();
    return;
  }
  load();
  show();
  activate();
}

std::string frmLanguage::message(const std::string& key) const {
  return app_.languages.getMessages(key);
}

void frmLanguage::Form_Load() {
  setCaption(message("MSG_TITLELANGUAGE"));
  app_.languages.translate(*this);
  RefreshLanguageList();
  if (app_.skin) app_.skin(*this, gui::LabelCopies::None);
}

void frmLanguage::RefreshLanguageList() {
  Combo1.clear();
  const std::vector<std::string> names = languageListNames(app_.fs, app_.programFolder);
  for (const std::string& name : names) Combo1.addItem(name);
  // The stored language is shown whether or not the file has a group of that name.
  if (!names.empty()) Combo1.setText(app_.options.get(Setting::Language));
}

void frmLanguage::Combo1_Click() {
  const std::string language = Combo1.text();
  if (language == kNoPick) return;
  app_.options.set(Setting::Language, language);
  // The titles keep the language they were loaded in.
  if (app_.translateMainWindow) app_.translateMainWindow(language);
  app_.languages.ChangeLanguage(*this, language);
}

void frmLanguage::Command1_Click() {
  if (downloading_) return;
  downloading_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{downloading_};

  std::string host = app_.options.get(Setting::LanguageHost);
  if (host.empty()) host = app_.identity.Website;
  const LanguageDownload outcome = downloadLanguageFile(
      app_.http, app_.fs, app_.programFolder, languageFileUrl(host, app_.identity.ProductNumber),
      [this] { gui::doEvents(forms()); });
  const std::string& title = app_.identity.ProgramName;
  switch (outcome) {
    case LanguageDownload::NoFile:
      return;
    case LanguageDownload::NotWritable:
      app_.dialogs.messageBox(std::string(kNotWritableMessage), title, MsgButtons::Ok,
                              MsgIcon::Warning);
      return;
    case LanguageDownload::Saved:
      break;
  }
  // The user may have closed the window while the file came in.
  if (loaded()) RefreshLanguageList();
  app_.dialogs.messageBox(message("MSG_DOWNLOADED"), title, MsgButtons::Ok);
}

void frmLanguage::Command2_Click() { unload(); }

void frmLanguage::Command3_Click() {
  const std::string path = localizationFilePath(app_.programFolder);
  if (FileExists(app_.fs, path)) OpenWithShell(path, kSwShowNormal);
}

void frmLanguage::OpenWithShell(const std::string& path, int showCommand) {
  app_.shell.execute(0, "open", path, "", "", showCommand);
}

}  // namespace quenmark
