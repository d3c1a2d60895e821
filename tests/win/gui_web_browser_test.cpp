#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "gui/web_browser.h"
#include "support/gui_pump_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using gui::Event;
using gui::EventArgs;

// A window holding only the browser, whose events are written into `log`.
class frmBrowserHost : public gui::Form {
 public:
  explicit frmBrowserHost(gui::Forms& forms)
      : Form(forms, "frmBrowserHost", {.caption = "Browser host", .width = 6000, .height = 5000}) {
    addControls(
        {{gui::Kind::WebBrowser, "WebBrowser1", {}, "", 120, 120, 5000, 4000, "", 0, WebBrowser1}});
    WebBrowser1.on(Event::BeforeNavigate2,
                   [this](EventArgs& a) { log.push_back("BeforeNavigate2 " + a.text); });
    WebBrowser1.on(Event::DownloadComplete, [this] { log.push_back("DownloadComplete"); });
  }
  gui::WebBrowser WebBrowser1;
  std::vector<std::string> log;
};

RECT clientRect(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return r;
}

// Pages do not render under Wine here (no Gecko): the hosting, the navigation and the events
// are what can be seen.
TEST(WebBrowserControl, IsHostedInPlaceNavigatesAndLetsGoAtUnload) {
  gui::Forms forms;
  frmBrowserHost host(forms);
  host.show();
  ASSERT_TRUE(host.WebBrowser1.hosted());
  // Activated in place: the browser's own window sits inside the control's and fills it.
  HWND inner = GetWindow(host.WebBrowser1.hwnd(), GW_CHILD);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(clientRect(inner).right, clientRect(host.WebBrowser1.hwnd()).right);

  EXPECT_EQ(host.WebBrowser1.navigate("about:blank"), S_OK);
  ASSERT_TRUE(pumpUntil(forms, [&] {
    return !host.log.empty() && host.log.back() == "DownloadComplete";
  })) << ::testing::PrintToString(host.log);
  EXPECT_EQ(host.log.front(), "BeforeNavigate2 about:blank");
  EXPECT_EQ(host.WebBrowser1.locationURL(), "about:blank");

  // The browser's window follows the control's size.
  host.WebBrowser1.move(120, 120, 3000, 2000);
  EXPECT_EQ(clientRect(inner).right, clientRect(host.WebBrowser1.hwnd()).right);
  EXPECT_EQ(clientRect(inner).bottom, clientRect(host.WebBrowser1.hwnd()).bottom);

  host.unload();
  EXPECT_FALSE(host.WebBrowser1.hosted());
  EXPECT_EQ(host.WebBrowser1.navigate("about:blank"), E_UNEXPECTED);
  host.show();  // hosted afresh at the next load
  EXPECT_TRUE(host.WebBrowser1.hosted());
}

}  // namespace
}  // namespace quenmark::testing
