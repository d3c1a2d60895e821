#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/form.h"
#include "platform/win32/text_win32.h"
#include "support/demo_form_win32.h"
#include "support/gui_pump_win32.h"

namespace quenmark::testing {
namespace {

using gui::Kind;
using gui::UnloadMode;
using gui::WindowState;
using namespace std::chrono_literals;

RECT clientRect(const gui::Control& c) {
  RECT r;
  GetWindowRect(c.hwnd(), &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(c.hwnd()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring className(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, static_cast<int>(std::size(name)));
  return name;
}

struct FormTest : ::testing::Test {
  gui::Forms forms;
  std::vector<std::string> errors;
  FormTest() {
    forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
  }
};

TEST_F(FormTest, CreatesTheControlsInTableOrderWithTheirNames) {
  frmDemo f(forms);
  f.load();
  std::vector<std::string> seen;
  for (auto* c : f.controls()) {
    seen.push_back(c->typeName() + " " + c->name() +
                   (c->index() ? "(" + std::to_string(*c->index()) + ")" : ""));
  }
  const std::vector<std::string> expected = {"Label lblName",
                                             "TextBox txtName",
                                             "Frame frRepeat",
                                             "OptionButton optRepeat(0)",
                                             "OptionButton optRepeat(1)",
                                             "OptionButton optRepeat(2)",
                                             "CheckBox chkRepeat",
                                             "ComboBox cbShutdown",
                                             "ComboBox cmbTime",
                                             "ListView lstSchedules",
                                             "ListView lstPlain",
                                             "TreeView tvWeek",
                                             "TreeView tvMonth",
                                             "DTPicker dtDate",
                                             "DTPicker dtTime",
                                             "PictureBox pctTray",
                                             "ListBox lstQueue",
                                             "TabStrip tabMain",
                                             "Label Label1",
                                             "SkinLabel SkinLabel1(0)",
                                             "CommandButton cmdPick(0)",
                                             "CommandButton cmdPick(1)",
                                             "CommandButton cmdPick(2)",
                                             "CommandButton cmdOK",
                                             "CommandButton cmdCancel",
                                             "StatusBar sbStatus",
                                             "Menu mnuFile",
                                             "Menu mnuFileItem(0)",
                                             "Menu mnuFileItem(1)",
                                             "Menu mnuFileItem(2)",
                                             "Menu mnuFileItem(3)",
                                             "Menu mnuHelp",
                                             "Menu mnuHelpItem(0)",
                                             "Menu mnuTray",
                                             "Menu mnuTrayItem(0)",
                                             "Menu mnuTrayItem(1)",
                                             "Menu mnuTrayItem(2)",
                                             "Menu mnuTrayItem(3)"};
  EXPECT_EQ(seen, expected);

  // The child windows stand in the same order, which is the tab order.
  std::vector<HWND> children;
  for (HWND w = GetWindow(f.hwnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  std::vector<HWND> fromTable;
  for (auto* c : f.controls()) {
    if (auto* control = dynamic_cast<gui::Control*>(c)) fromTable.push_back(control->hwnd());
  }
  EXPECT_EQ(children, fromTable);
  EXPECT_EQ(className(f.lstSchedules.hwnd()), L"SysListView32");
  EXPECT_EQ(className(f.tvWeek.hwnd()), L"SysTreeView32");
  EXPECT_EQ(className(f.dtTime.hwnd()), L"SysDateTimePick32");
  EXPECT_EQ(className(f.sbStatus.hwnd()), L"msctls_statusbar32");
  EXPECT_EQ(f.log, std::vector<std::string>{"Form_Load"});
}

TEST_F(FormTest, TwipsBecomePixelsAtTheWindowsDpi) {
  frmDemo f(forms);
  f.load();
  ASSERT_EQ(f.dpi(), 96) << "this test pins the 96 DPI of the test display";
  const struct {
    gui::Control* control;
    RECT pixels;
  } cases[] = {
      // cmdOK: 5400, 5880, 1215 x 375 twips.
      {&f.cmdOK, {360, 392, 360 + 81, 392 + 25}},
      // optRepeat(1) sits in frRepeat (120, 600): 120+120, 600+540.
      {&f.optRepeat[1], {16, 76, 16 + 80, 76 + 17}},
      // lstSchedules: 120, 2220, 6000 x 1500.
      {&f.lstSchedules, {8, 148, 8 + 400, 148 + 100}},
  };
  for (const auto& c : cases) {
    RECT r = clientRect(*c.control);
    EXPECT_EQ(r.left, c.pixels.left) << c.control->name();
    EXPECT_EQ(r.top, c.pixels.top) << c.control->name();
    EXPECT_EQ(r.right, c.pixels.right) << c.control->name();
    EXPECT_EQ(r.bottom, c.pixels.bottom) << c.control->name();
  }
  RECT outer;
  GetWindowRect(f.hwnd(), &outer);
  EXPECT_EQ(outer.right - outer.left, 600);  // 9000 twips
  EXPECT_EQ(f.width(), 9000);
}

TEST_F(FormTest, DpiChangeLaysEverythingOutAgain) {
  frmDemo f(forms);
  f.load();
  f.lstSchedules.setColumnWidth(2, 1234);
  LOGFONTW before{};
  GetObjectW(f.font(), sizeof(before), &before);
  RECT suggested{10, 10, 910, 760};
  SendMessageW(f.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(f.dpi(), 144);
  RECT r = clientRect(f.cmdOK);
  EXPECT_EQ(r.left, 540);            // 5400 twips at 10 twips per pixel
  EXPECT_EQ(r.right - r.left, 122);  // 1215 twips, rounded
  EXPECT_EQ(f.lstSchedules.columnWidth(2), 1234) << "the width stays the same in twips";
  EXPECT_EQ(SendMessageW(f.lstSchedules.hwnd(), LVM_GETCOLUMNWIDTH, 1, 0), 123);
  LOGFONTW after{};
  GetObjectW(f.font(), sizeof(after), &after);
  EXPECT_GT(std::abs(after.lfHeight), std::abs(before.lfHeight));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(f.cmdOK.hwnd(), WM_GETFONT, 0, 0)), f.font());
}

TEST_F(FormTest, ControlsUseTheMessageFont) {
  frmDemo f(forms);
  f.load();
  ASSERT_NE(f.font(), nullptr);
  for (gui::Control* c :
       {static_cast<gui::Control*>(&f.lblName), static_cast<gui::Control*>(&f.lstSchedules)}) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(c->hwnd(), WM_GETFONT, 0, 0)), f.font());
  }
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
  LOGFONTW lf{};
  GetObjectW(f.font(), sizeof(lf), &lf);
  EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(m.lfMessageFont.lfFaceName));
}

TEST_F(FormTest, FormsListsLoadedWindowsInLoadOrder) {
  frmDemo a(forms, "frmA"), b(forms, "frmB"), c(forms, "frmC");
  auto names = [&] {
    std::vector<std::string> out;
    for (gui::Form* f : forms) out.push_back(f->name());
    return out;
  };
  b.load();
  a.load();
  EXPECT_EQ(names(), (std::vector<std::string>{"frmB", "frmA"}));
  c.load();
  EXPECT_TRUE(b.unload());
  EXPECT_EQ(names(), (std::vector<std::string>{"frmA", "frmC"}));
  EXPECT_EQ(forms.find("FRMC"), &c);
  EXPECT_EQ(forms.find("frmB"), nullptr);
  b.load();
  EXPECT_EQ(names(), (std::vector<std::string>{"frmA", "frmC", "frmB"}));
}

TEST_F(FormTest, CloseRequestsCarryTheirUnloadMode) {
  const struct {
    const char* what;
    std::function<void(frmDemo&)> close;
    UnloadMode mode;
  } cases[] = {
      {"close box", [](frmDemo& f) { SendMessageW(f.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
       UnloadMode::FormControlMenu},
      {"bare WM_CLOSE", [](frmDemo& f) { SendMessageW(f.hwnd(), WM_CLOSE, 0, 0); },
       UnloadMode::AppTaskManager},
      {"code", [](frmDemo& f) { f.unload(); }, UnloadMode::FormCode},
  };
  for (const auto& c : cases) {
    frmDemo f(forms);
    f.load();
    f.cancelClose = true;
    c.close(f);
    ASSERT_EQ(f.closeModes.size(), 1u) << c.what;
    EXPECT_EQ(f.closeModes[0], c.mode) << c.what;
    EXPECT_TRUE(f.loaded()) << c.what << ": cancelled, so still there";
    f.cancelClose = false;
    c.close(f);
    EXPECT_FALSE(f.loaded()) << c.what;
    EXPECT_EQ(f.log.back(), "Form_Unload") << c.what;
  }
}

TEST_F(FormTest, SessionEndAsksThenUnloads) {
  frmDemo f(forms);
  f.load();
  f.cancelClose = true;
  EXPECT_EQ(SendMessageW(f.hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
  f.cancelClose = false;
  EXPECT_EQ(SendMessageW(f.hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(f.closeModes,
            (std::vector<UnloadMode>{UnloadMode::AppWindows, UnloadMode::AppWindows}));
  EXPECT_TRUE(f.loaded()) << "another program may still refuse the end";
  SendMessageW(f.hwnd(), WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(f.loaded());
  SendMessageW(f.hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(f.loaded());
  EXPECT_TRUE(forms.empty());
}

TEST_F(FormTest, ShowHideAndWindowState) {
  frmDemo f(forms);
  f.show();
  EXPECT_TRUE(f.visible());
  EXPECT_TRUE(IsWindowVisible(f.hwnd()));
  f.setWindowState(WindowState::Maximized);
  EXPECT_TRUE(IsZoomed(f.hwnd()));
  f.hide();
  EXPECT_FALSE(IsWindowVisible(f.hwnd()));
  EXPECT_EQ(f.windowState(), WindowState::Maximized) << "remembered while hidden";
  f.setWindowState(WindowState::Minimized);
  EXPECT_FALSE(IsWindowVisible(f.hwnd())) << "a hidden window stays hidden";
  f.show();
  EXPECT_TRUE(IsIconic(f.hwnd()));
  EXPECT_EQ(f.windowState(), WindowState::Minimized);
  f.setWindowState(WindowState::Normal);
  EXPECT_EQ(f.windowState(), WindowState::Normal);
}

TEST_F(FormTest, CaptionsAreUnicode) {
  frmDemo f(forms);
  f.load();
  const std::string text = "\u041f\u043b\u0430\u043d \u2014 \u65e5\u672c\u8a9e";
  f.setCaption(text);
  wchar_t buffer[64] = {};
  GetWindowTextW(f.hwnd(), buffer, 64);
  EXPECT_EQ(std::wstring(buffer), win32::widen(text));
  EXPECT_EQ(f.caption(), text);
}

TEST_F(FormTest, ExceptionInAHandlerIsCaughtWhereWindowsCalledIn) {
  frmDemo f(forms);
  f.load();
  f.onOK = [] { throw std::runtime_error("boom"); };
  SendMessageW(f.cmdOK.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(errors, std::vector<std::string>{"frmDemo: boom"});
  EXPECT_TRUE(f.loaded());
  f.onOK = nullptr;
  SendMessageW(f.cmdOK.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "cmdOK_Click"), 2);
}

TEST_F(FormTest, ControlsAddedAtRunTimeGoWithTheWindow) {
  frmDemo f(forms);
  f.load();
  gui::Control& extra =
      f.addControl({Kind::SkinLabel, "SkinLabel1", 1, "Copy", 120, 120, 1000, 255});
  EXPECT_NE(extra.hwnd(), nullptr);
  EXPECT_EQ(&f.control("skinlabel1", 1), &extra);
  EXPECT_EQ(f.controlArray("SkinLabel1").count(), 2u);
  f.unload();
  f.load();
  EXPECT_THROW(f.control("SkinLabel1", 1), std::out_of_range);
  EXPECT_EQ(f.controlArray("SkinLabel1").count(), 1u);
  EXPECT_EQ(f.control("SkinLabel1", 0).caption(), "Skinned");
}

TEST_F(FormTest, ReloadRestoresTheDesign) {
  frmDemo f(forms);
  f.load();
  f.cmdOK.setCaption("Changed");
  f.cmdOK.setEnabled(false);
  f.unload();
  f.load();
  EXPECT_EQ(f.cmdOK.caption(), "OK");
  EXPECT_TRUE(IsWindowEnabled(f.cmdOK.hwnd()));
  EXPECT_EQ(f.lstPlain.columnCount(), 1) << "the column Form_Load adds is not doubled";
  EXPECT_EQ(f.lstSchedules.columnCount(), 5);
}

TEST_F(FormTest, FrameCarriesItsControls) {
  frmDemo f(forms);
  f.load();
  auto shown = [](const gui::Control& c) {
    return (GetWindowLongPtrW(c.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  f.frRepeat.setVisible(false);
  EXPECT_FALSE(shown(f.optRepeat[0]));
  EXPECT_TRUE(f.optRepeat[0].visible()) << "its own setting is kept";
  f.frRepeat.setVisible(true);
  EXPECT_TRUE(shown(f.optRepeat[0]));
  f.frRepeat.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(f.optRepeat[2].hwnd()));
  EXPECT_TRUE(f.optRepeat[2].enabled());
  f.frRepeat.move(600, 600, 3000, 1500);
  EXPECT_EQ(clientRect(f.optRepeat[0]).left, (600 + 120) / 15);
}

TEST_F(FormTest, TableMistakesAreReported) {
  struct Bad : gui::Form {
    gui::CheckBox chk;
    explicit Bad(gui::Forms& forms) : gui::Form(forms, "frmBad", {}) {}
    void wrongKind() {
      addControls({{Kind::CommandButton, "chk", {}, "", 0, 0, 0, 0, "", 0, chk}});
    }
    void unknownHandler() {
      bindEvents({{"nothing", gui::Event::Click, [] {}}});
    }
    void missingFrame() { addControls({{Kind::Label, "l", {}, "", 0, 0, 0, 0, "frNone"}}); }
  } bad(forms);
  EXPECT_THROW(bad.wrongKind(), std::invalid_argument);
  EXPECT_THROW(bad.unknownHandler(), std::invalid_argument);
  EXPECT_THROW(bad.missingFrame(), std::out_of_range);
}

TEST_F(FormTest, RunEndsWhenTheLastWindowUnloads) {
  frmDemo f(forms);
  f.show();
  f.tmrTick.on(gui::Event::Timer, [&f] { f.unload(); });
  f.tmrTick.setInterval(20);
  f.tmrTick.setEnabled(true);
  EXPECT_EQ(gui::run(forms), 0);
  EXPECT_FALSE(f.loaded());
}

TEST_F(FormTest, ShowModalWaitsWithTheOtherWindowsDisabled) {
  frmDemo main(forms, "frmMain"), modal(forms, "frmModal");
  main.show();
  bool mainEnabledMeanwhile = true;
  modal.tmrTick.on(gui::Event::Timer, [&] {
    mainEnabledMeanwhile = IsWindowEnabled(main.hwnd()) != FALSE;
    modal.unload();
  });
  modal.tmrTick.setInterval(20);
  modal.tmrTick.setEnabled(true);
  modal.showModal();
  EXPECT_FALSE(modal.loaded());
  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
}

TEST_F(FormTest, AppActivateFindsAWindowByItsTitle) {
  frmDemo a(forms, "frmA"), b(forms, "frmB");
  a.setCaption("First window");
  a.show();
  b.show();
  b.activate();
  EXPECT_TRUE(gui::appActivate("First window"));
  EXPECT_EQ(GetForegroundWindow(), a.hwnd());
  EXPECT_FALSE(gui::appActivate("No such window"));
}

TEST_F(FormTest, DesignByClientSizeInAFontOfItsOwnWithAPasswordField) {
  gui::Form f(forms, "frmSized",
              {.caption = "Sized", .style = gui::formstyle::kToolWindow, .fontName = "Verdana"});
  f.addControl({Kind::TextBox, "txtSecret", {}, "", 120, 120, 2000, 315, "", gui::opt::kPassword});
  f.load();
  f.setClientSize(10305, 2730);
  EXPECT_EQ(f.scaleWidth(), 10305);
  EXPECT_EQ(f.scaleHeight(), 2730);
  LOGFONTW lf{};
  GetObjectW(f.font(), sizeof(lf), &lf);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"Verdana");
  gui::Control& secret = f.control("txtSecret");
  EXPECT_EQ(SendMessageW(secret.hwnd(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  secret.setCaption("abc");
  EXPECT_EQ(secret.caption(), "abc");
}

}  // namespace
}  // namespace quenmark::testing
