#include "windows/about_window.h"

namespace quenmark {

using gui::Kind;

std::string versionText(const ProgramVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor);
}

frmAbout::frmAbout(gui::Forms& forms, AboutContext context)
    : gui::Form(forms, "frmAbout",
                {.caption = "About", .width = 6600, .height = 3900,
                 .style = gui::formstyle::kToolWindow, .escapeCloses = true}),
      app_(std::move(context)) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::PictureBox, "Picture1", {}, "", 240, 240, 960, 960, "", 0, Picture1},
      {Kind::Label, "Label1", {}, "YourProgramName", 1440, 300, 4800, 300, "", 0, Label1},
      {Kind::Label, "Label2", {}, "Version:", 1440, 780, 1440, 255, "", 0, Label2},
      {Kind::Label, "lblVersion", {}, "Version", 2940, 780, 3300, 255, "", 0, lblVersion},
      {Kind::Label, "Label3", {}, "Owned By:", 1440, 1080, 1440, 255, "", 0, Label3},
      {Kind::Label, "lblCompany", {}, "", 2940, 1080, 3300, 255, "", 0, lblCompany},
      {Kind::Label, "Label4", {}, "Website:", 1440, 1380, 1440, 255, "", 0, Label4},
      {Kind::Label, "lblWebsite", {}, "", 2940, 1380, 3300, 255, "", 0, lblWebsite},
      {Kind::Label, "Label5", {},
       "Warning: this computer program is protected by copyright law and international treaties.",
       240, 1980, 6000, 720, "", 0, Label5},
      // The skin's template for copies of the plain labels.
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", gui::opt::kHidden, SkinLabel1},
  });
  // clang-format on
}

void frmAbout::Form_Load() {
  app_.languages.translate(*this);
  setCaption(app_.languages.getMessages("MSG_TITLEABOUT"));
  Label1.setCaption(app_.identity.ProgramName);
  lblCompany.setCaption(app_.identity.CompanyName);
  lblVersion.setCaption(versionText(app_.versionInfo.version()));
  lblWebsite.setCaption(app_.identity.Website);
  Picture1.setPicture(static_cast<HICON>(
      LoadImageW(forms().instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, LR_SHARED)));
  if (app_.skin) app_.skin(*this, gui::LabelCopies::All);
}

void frmAbout::open() {
  show();
  activate();
}

}  // namespace quenmark
