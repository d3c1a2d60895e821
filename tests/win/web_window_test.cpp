#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/program_win32.h"
#include "base/identity.h"
#include "base/product_identity.h"
#include "platform/win32/text_win32.h"
#include "support/fake_version_info.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"
#include "windows/web_window.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using gui::Event;
using gui::EventArgs;

// The website the tests open. Without a scheme it is no web address to Wine's browser, so
// nothing goes out on the network; an HTTP download dropped half-way also leaves Wine's
// browser stuck for later tests in the process.
constexpr const char* kWebsite = "127.0.0.1:1";

FakeVersionInfo localVersion() {
  return FakeVersionInfo(
      {{"ProductName", "Quenmark"}, {"CompanyName", "Tarvossa"}, {"Comments", kWebsite}});
}

bool topmost(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct ToolTipSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK findToolTip(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<ToolTipSearch*>(param);
  wchar_t name[64] = {};
  GetClassNameW(w, name, static_cast<int>(std::size(name)));
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 || GetWindow(w, GW_OWNER) != search->owner) return TRUE;
  search->found = w;
  return FALSE;
}

// The tip the window's tooltip holds for a control.
std::string toolTipOf(HWND window, HWND control) {
  ToolTipSearch search{window, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), findToolTip, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return "(no tooltip)";
  wchar_t text[256] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(search.found, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return win32::narrow(text);
}

// What the window looked like when its load reached the skin.
struct AtSkin {
  bool topmost;
  gui::WindowState state;
  std::string caption;
  int panels;
  std::size_t navigations;
  gui::LabelCopies copies;
};

// The web window with OLE on the thread, an identity read from version information that
// names a closed local port as the website, and a skin hook that notes the load's progress.
// Every navigation the browser starts is written into `navigations`.
// Made here, not by the program: the website must be a closed local port, which only a
// version resource of the test's own can name.
class WebWindowTest : public ::testing::Test {
 protected:
  WebWindowTest() {
    forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
    browser().on(Event::BeforeNavigate2, [this](EventArgs& a) { navigations.push_back(a.text); });
  }
  ~WebWindowTest() override {
    web.unload();
    EXPECT_TRUE(errors.empty()) << errors.front();
  }

  // Opens the window and lets the navigation to the website finish.
  void openAndSettle() {
    web.open();
    ASSERT_TRUE(pumpUntil(forms, [&] { return text1().text() == kWebsite; }));
  }
  gui::WebBrowser& browser() { return web.control<gui::WebBrowser>("WebBrowser1"); }
  gui::TextBox& text1() { return web.control<gui::TextBox>("Text1"); }
  gui::StatusBar& statusBar() { return web.control<gui::StatusBar>("StatusBar1"); }
  HWND button(const char* name) { return web.control(name).hwnd(); }

  FakeVersionInfo version = localVersion();
  ProductIdentity identity;  // empty until the window's load reads it
  gui::Forms forms;
  std::vector<std::string> errors;
  std::vector<std::string> navigations;
  std::optional<AtSkin> atSkin;
  frmWebsite web{forms, {identity, version, [this](gui::Form& f, gui::LabelCopies copies) {
                           atSkin =
                               AtSkin{topmost(f.hwnd()),        f.windowState(),    f.caption(),
                                      statusBar().panelCount(), navigations.size(), copies};
                         }}};
};

TEST_F(WebWindowTest, LoadsInItsOrderAndOpensOnTheWebsite) {
  web.open();
  ASSERT_TRUE(web.visible());
  EXPECT_EQ(identity.Website, kWebsite);
  ASSERT_TRUE(atSkin.has_value());
  EXPECT_TRUE(atSkin->topmost);
  EXPECT_EQ(atSkin->state, gui::WindowState::Normal);
  EXPECT_EQ(atSkin->caption, kWebsite);
  EXPECT_EQ(atSkin->panels, 2);
  EXPECT_EQ(atSkin->navigations, 0u);
  EXPECT_EQ(atSkin->copies, gui::LabelCopies::ContainerOfFirst);
  // After the load: maximised and no longer above other windows.
  EXPECT_TRUE(IsZoomed(web.hwnd()));
  EXPECT_FALSE(topmost(web.hwnd()));
  ASSERT_TRUE(browser().hosted());
  ASSERT_TRUE(pumpUntil(forms, [&] { return !navigations.empty(); }));
  EXPECT_EQ(navigations, std::vector<std::string>{kWebsite});

  struct Button {
    const char* name;
    const char* caption;
    const char* tip;
    bool picture;
  };
  const Button buttons[] = {{"Command3", "Go", "browse the entered url", false},
                            {"Command4", "Back", "back", true},
                            {"Command5", "Forward", "forward", true},
                            {"Command6", "Stop", "stop", true},
                            {"Command7", "Refresh", "refresh", true}};
  for (const auto& b : buttons) {
    EXPECT_EQ(web.control(b.name).caption(), b.caption);
    EXPECT_EQ(toolTipOf(web.hwnd(), button(b.name)), b.tip) << b.name;
    EXPECT_EQ(SendMessageW(button(b.name), BM_GETIMAGE, IMAGE_ICON, 0) != 0, b.picture) << b.name;
  }

  // The page stays blank: Wine has no Gecko here.
  pumpUntil(forms, [&] { return text1().text() == kWebsite; });
  pumpFor(forms, 200ms);
  // The page's window shows inside the frame around it, not clipped away behind it.
  HWND page = browser().hwnd();
  while (HWND inner = GetWindow(page, GW_CHILD)) page = inner;
  ASSERT_NE(page, browser().hwnd());
  HDC dc = GetDC(page);
  RECT box{};
  EXPECT_NE(GetClipBox(dc, &box), NULLREGION);
  ReleaseDC(page, dc);
  EXPECT_TRUE(saveWindowBitmap(web.hwnd(), screenshotFolder() + "\\website.bmp"));
}

TEST_F(WebWindowTest, ClosingUnloadsItAndTheNextOpeningLoadsItAfresh) {
  openAndSettle();
  SendMessageW(web.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(web.loaded());
  web.open();
  ASSERT_TRUE(web.loaded());
  EXPECT_EQ(statusBar().panelCount(), 2);
  EXPECT_TRUE(browser().hosted());
  ASSERT_TRUE(pumpUntil(forms, [&] { return navigations.size() == 2; }));
  EXPECT_EQ(navigations[1], kWebsite);
}

TEST_F(WebWindowTest, AddressBoxNavigatesAsTypedAndShowsWhatTheBrowserReports) {
  openAndSettle();
  text1().setText("");
  SendMessageW(text1().hwnd(), WM_CHAR, VK_RETURN, 1);
  ASSERT_TRUE(pumpUntil(forms, [&] { return navigations.size() == 2; }));
  EXPECT_EQ(navigations[1], "") << "the empty address, as typed";
  // Once the download is over, the box shows the address as the browser completed it, the
  // title the page's title (none here).
  EXPECT_TRUE(pumpUntil(forms, [&] { return text1().text() == "http:///"; })) << text1().text();
  EXPECT_EQ(web.caption(), "");

  text1().setText("127.0.0.1:1/typed");
  SendMessageW(button("Command3"), BM_CLICK, 0, 0);
  ASSERT_TRUE(pumpUntil(forms, [&] { return navigations.size() == 3; }));
  EXPECT_EQ(navigations[2], "127.0.0.1:1/typed");
  EXPECT_TRUE(pumpUntil(forms, [&] { return text1().text() == "127.0.0.1:1/typed"; }));
}

TEST_F(WebWindowTest, NavigationButtonsIgnoreTheBrowsersFailures) {
  openAndSettle();
  ASSERT_TRUE(FAILED(browser().goBack())) << "no earlier page";
  for (const char* name : {"Command4", "Command5", "Command6", "Command7"}) {
    SendMessageW(button(name), BM_CLICK, 0, 0);
    EXPECT_TRUE(errors.empty()) << name;
  }
  pumpFor(forms, 200ms);
  EXPECT_TRUE(web.loaded());
  EXPECT_EQ(text1().text(), kWebsite);
}

// Wine's browser reports an empty status text as a download ends.
TEST_F(WebWindowTest, StatusTextGoesToTheFirstPanel) {
  openAndSettle();
  statusBar().setPanelText(1, "before");
  statusBar().setPanelText(2, "second");
  text1().setText("");
  SendMessageW(button("Command3"), BM_CLICK, 0, 0);
  EXPECT_TRUE(pumpUntil(forms, [&] { return statusBar().panelText(1).empty(); }));
  EXPECT_EQ(statusBar().panelText(2), "second");
}

TEST_F(WebWindowTest, LayoutFollowsTheWindowSize) {
  openAndSettle();
  web.setWindowState(gui::WindowState::Normal);
  web.move(0, 0, 6675, 7815);
  ASSERT_EQ(web.width(), 6675);
  ASSERT_EQ(web.height(), 7815);
  const int bar = statusBar().actualHeight();
  ASSERT_GT(bar, 0);
  EXPECT_EQ(web.control("frmBrowser").width(), 6375);
  EXPECT_EQ(web.control("frmBrowser").height(), 7815 - bar);
  EXPECT_EQ(text1().width(), 4740);
  EXPECT_EQ(web.control("Command3").left(), 5380);
  EXPECT_EQ(browser().width(), 6155);
  EXPECT_EQ(browser().height(), 7815 - bar - 1140 - 800 - bar);
  EXPECT_EQ(statusBar().panelWidth(1), 3337);
  EXPECT_EQ(statusBar().panelWidth(2), 3337);
  EXPECT_EQ(web.control("Command4").left(), 540) << "the navigation buttons keep their places";

  // Smaller than the fixed parts: every size stays positive.
  web.move(0, 0, 1500, 1500);
  for (const char* name : {"frmBrowser", "Text1", "WebBrowser1"}) {
    EXPECT_GT(web.control(name).width(), 0) << name;
    EXPECT_GT(web.control(name).height(), 0) << name;
  }
}

// The website button of the main window opens the real web window once; a second click only
// brings it to the front, as it is.
class WebsiteButtonTest : public MainWindowTest {
 protected:
  WebsiteButtonTest() {
    version = localVersion();
    InitProductIdentity(app.identity, version);
    windows.website = [this] { web.open(); };
    web.control("WebBrowser1").on(Event::BeforeNavigate2, [this](EventArgs& a) {
      navigations.push_back(a.text);
    });
  }
  frmWebsite web{forms, win32::webWindowContext(app)};
  std::vector<std::string> navigations;
};

TEST_F(WebsiteButtonTest, OpensTheWindowOnceAndThenBringsItForward) {
  load();
  clickButton("cmdWebsite");
  ASSERT_TRUE(web.visible());
  ASSERT_TRUE(pumpUntil(forms, [&] { return !navigations.empty(); }));
  web.control("Text1").setCaption("typed, not gone to");
  main->activate();
  ASSERT_EQ(GetForegroundWindow(), main->hwnd());

  clickButton("cmdWebsite");
  EXPECT_EQ(GetForegroundWindow(), web.hwnd());
  EXPECT_EQ(web.control("Text1").caption(), "typed, not gone to");
  pumpFor(forms, 300ms);
  EXPECT_EQ(navigations, std::vector<std::string>{kWebsite});
  EXPECT_EQ(std::count_if(forms.begin(), forms.end(),
                          [](gui::Form* f) { return f->name() == "frmWebsite"; }),
            1);

  exitProgram();
  EXPECT_FALSE(web.loaded()) << "the main window's unload takes it along";
}

}  // namespace
}  // namespace quenmark::testing
