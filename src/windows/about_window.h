#pragma once

#include <string>

#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "platform/version_info.h"

namespace quenmark {

// What the about window reads.
struct AboutContext {
  const ProductIdentity& identity;
  const VersionInfo& versionInfo;  // the program's version numbers
  clsLanguages& languages;
  gui::SkinHook skin{};
};

// The program's name, version, maker and website, and a notice. It has no buttons: its
// title bar closes it. Modeless; brought forward when it is open already.
class frmAbout : public gui::Form {
 public:
  frmAbout(gui::Forms& forms, AboutContext context);
  void open();

 protected:
  void Form_Load() override;

 private:
  AboutContext app_;
  gui::PictureBox Picture1;
  gui::Label Label1;
  gui::Label Label2;
  gui::Label lblVersion;
  gui::Label Label3;
  gui::Label lblCompany;
  gui::Label Label4;
  gui::Label lblWebsite;
  gui::Label Label5;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
};

// "major.minor", as the about window shows the version.
std::string versionText(const ProgramVersion& version);

}  // namespace quenmark
