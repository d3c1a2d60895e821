#pragma once

#include <string>

#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "gui/tooltips.h"
#include "gui/web_browser.h"
#include "platform/version_info.h"

namespace quenmark {

// What the web window reads: the identity it fills again at load (the website is its title
// and start page) and the skin.
struct WebWindowContext {
  ProductIdentity& identity;
  const VersionInfo& versionInfo;
  gui::SkinHook skin;
};

// A small web browser on the maker's website: an address box with Go, Back, Forward, Stop and
// Refresh, the system's browser control and a status bar. Not translated. OLE must be
// initialised on the thread before it loads.
class frmWebsite : public gui::Form {
 public:
  frmWebsite(gui::Forms& forms, WebWindowContext context);

  // The website button: loads the window, which opens on the website, and shows it
  // modeless. A window already open comes to the front as it is, without navigating.
  void open();

 protected:
  void Form_Load() override;
  void Form_Resize() override;

 private:
  void Command3_Click();
  void Text1_KeyPress(int& keyAscii);
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void WebBrowser1_StatusTextChange(const std::string& text);
  void WebBrowser1_DownloadComplete();
  // Sizes the frame, the address box, the Go button, the browser and the status panels to
  // the window; on every paint and resize.
  void layout();
  void setPicture(gui::CommandButton& button, const wchar_t* icon);

  WebWindowContext app_;
  gui::ToolTips tips_;

  gui::Frame frmBrowser;
  gui::Label Label5;
  gui::TextBox Text1;
  gui::CommandButton Command3;
  gui::CommandButton Command4;
  gui::CommandButton Command5;
  gui::CommandButton Command6;
  gui::CommandButton Command7;
  gui::WebBrowser WebBrowser1;
  gui::StatusBar StatusBar1;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
};

}  // namespace quenmark
