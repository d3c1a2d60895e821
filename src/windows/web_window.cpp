#include "windows/web_window.h"

#include "base/product_identity.h"
#include "gui/on_top_win32.h"
#include "core/presentation/web_layout.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;

namespace {

// Moves a control only when its place changes, so that a layout run from a paint does not
// cause another paint.
void place(gui::Control& c, int left, int top, int width, int height) {
  if (c.left() != left || c.top() != top || c.width() != width || c.height() != height) {
    c.move(left, top, width, height);
  }
}

}  // namespace

frmWebsite::frmWebsite(gui::Forms& forms, WebWindowContext context)
    : gui::Form(forms, "frmWebsite", {.caption = "Browser", .width = 6675, .height = 7815}),
      app_(std::move(context)) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::Frame, "frmBrowser", {}, "Browser", 0, 0, 6375, 7215, "", 0, frmBrowser},
      {Kind::Label, "Label5", {}, "URL:", 120, 300, 1215, 255, "frmBrowser", 0, Label5},
      {Kind::TextBox, "Text1", {}, "", 540, 240, 4875, 315, "frmBrowser", 0, Text1},
      {Kind::CommandButton, "Command3", {}, "Go", 5460, 240, 795, 315, "frmBrowser", 0, Command3},
      {Kind::CommandButton, "Command4", {}, "Back", 540, 600, 1000, 435, "frmBrowser", 0, Command4},
      {Kind::CommandButton, "Command5", {}, "Forward", 1620, 600, 1000, 435, "frmBrowser", 0,
       Command5},
      {Kind::CommandButton, "Command6", {}, "Stop", 2700, 600, 1000, 435, "frmBrowser", 0, Command6},
      {Kind::CommandButton, "Command7", {}, "Refresh", 3780, 600, 1000, 435, "frmBrowser", 0,
       Command7},
      {Kind::WebBrowser, "WebBrowser1", {}, "", 120, 1140, 6135, 5595, "frmBrowser", 0,
       WebBrowser1},
      {Kind::StatusBar, "StatusBar1", {}, "", 0, 0, 0, 0, "", 0, StatusBar1},
      // The skin's template for labels; copies of the labels in its frame join the array.
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "frmBrowser", opt::kHidden, SkinLabel1},
  });
  // clang-format on
  bindEvents({
      {"Command3", Event::Click, &frmWebsite::Command3_Click},
      {"Text1", Event::KeyPress, &frmWebsite::Text1_KeyPress},
      {"Command4", Event::Click, &frmWebsite::Command4_Click},
      {"Command5", Event::Click, &frmWebsite::Command5_Click},
      {"Command6", Event::Click, &frmWebsite::Command6_Click},
      {"Command7", Event::Click, &frmWebsite::Command7_Click},
      {"WebBrowser1", Event::StatusTextChange, &frmWebsite::WebBrowser1_StatusTextChange},
      {"WebBrowser1", Event::DownloadComplete, &frmWebsite::WebBrowser1_DownloadComplete},
  });
  hookMessage(WM_PAINT, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
    layout();
    return DefWindowProcW(hwnd(), WM_PAINT, wParam, lParam);
  });
}

void frmWebsite::open() {
  if (loaded()) {
    activate();
    return;
  }
  show();
}

void frmWebsite::Form_Load() {
  // The label reaches under the address box, where a window of its own would paint over
  // the box: it keeps only the part that shows.
  Label5.setWidth(Text1.left() - Label5.left());
  setPicture(Command4, L"NAV_BACK");
  setPicture(Command5, L"NAV_FORWARD");
  setPicture(Command6, L"NAV_STOP");
  setPicture(Command7, L"NAV_REFRESH");

  InitProductIdentity(app_.identity, app_.versionInfo);
  StatusBar1.addPanel();
  setCaption(app_.identity.Website);
  // In front of everything while it comes up, but not kept there.
  SetOnTop(hwnd(), true);
  if (app_.identity.SkinEnabled && app_.skin) app_.skin(*this, gui::LabelCopies::ContainerOfFirst);
  // A failed navigation is the browser's to show.
  WebBrowser1.navigate(app_.identity.Website);
  setWindowState(gui::WindowState::Maximized);
  SetOnTop(hwnd(), false);

  // The tooltip window is owned by this one, and an owned tooltip (topmost itself) keeps
  // Wine from putting its owner on top: it comes once the window is off the top again.
  tips_.attach(hwnd());
  tips_.set(Command3, "browse the entered url");
  tips_.set(Command4, "back");
  tips_.set(Command5, "forward");
  tips_.set(Command6, "stop");
  tips_.set(Command7, "refresh");
}

void frmWebsite::Form_Resize() { layout(); }

void frmWebsite::layout() {
  if (!loaded() || !StatusBar1.created()) return;
  WebWindowMeasures m;
  m.windowWidth = width();
  m.windowHeight = height();
  m.statusBarHeight = StatusBar1.actualHeight();
  m.text1Left = Text1.left();
  m.command3Width = Command3.width();
  m.webBrowser1Left = WebBrowser1.left();
  m.webBrowser1Top = WebBrowser1.top();
  const WebWindowLayout l = LayoutWebWindow(m);
  if (StatusBar1.panelCount() >= 2) {
    if (StatusBar1.panelWidth(1) != l.panel1Width) StatusBar1.setPanelWidth(1, l.panel1Width);
    if (StatusBar1.panelWidth(2) != l.panel2Width) StatusBar1.setPanelWidth(2, l.panel2Width);
  }
  place(frmBrowser, frmBrowser.left(), frmBrowser.top(), l.frmBrowserWidth, l.frmBrowserHeight);
  place(Text1, Text1.left(), Text1.top(), l.text1Width, Text1.height());
  place(Command3, l.command3Left, Command3.top(), Command3.width(), Command3.height());
  place(WebBrowser1, WebBrowser1.left(), WebBrowser1.top(), l.webBrowser1Width,
        l.webBrowser1Height);
}

void frmWebsite::setPicture(gui::CommandButton& button, const wchar_t* icon) {
  // Shared: the system keeps one copy of the icon for as long as the program runs.
  const int size = GetSystemMetrics(SM_CXSMICON);
  HANDLE image = LoadImageW(forms().instance(), icon, IMAGE_ICON, size, size, LR_SHARED);
  if (image) SendMessageW(button.hwnd(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
}

// ---- handlers ----------------------------------------------------------------------------

// The address goes to the browser as typed, even when empty.
void frmWebsite::Command3_Click() { WebBrowser1.navigate(Text1.text()); }

void frmWebsite::Text1_KeyPress(int& keyAscii) {
  if (keyAscii == 13) Command3_Click();
}

// The browser's failures (no earlier page, nothing to stop) are of no concern here.
void frmWebsite::Command4_Click() { WebBrowser1.goBack(); }
void frmWebsite::Command5_Click() { WebBrowser1.goForward(); }
void frmWebsite::Command6_Click() { WebBrowser1.stop(); }
void frmWebsite::Command7_Click() { WebBrowser1.refreshPage(); }

void frmWebsite::WebBrowser1_StatusTextChange(const std::string& text) {
  StatusBar1.setPanelText(1, text);
}

// The address the browser settled on, and the page's title.
void frmWebsite::WebBrowser1_DownloadComplete() {
  Text1.setText(WebBrowser1.locationURL());
  setCaption(WebBrowser1.locationName());
}

}  // namespace quenmark
