#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "gui/controls.h"
#include "gui/form.h"
#include "core/i18n/default_messages.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/fake_version_info.h"
#include "support/gui_pump_win32.h"
#include "windows/about_window.h"
#include "windows/skin_window.h"
#include "windows/splash_window.h"
#include "windows/still_running_window.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using gui::Kind;

// A window with three plain labels (two on the window, one in a frame) and the skin's
// design-time label.
class LabelsForm : public gui::Form {
 public:
  explicit LabelsForm(gui::Forms& forms) : gui::Form(forms, "frmLabels", {}) {
    addControls({
        {Kind::Label, "Label1", {}, "First", 120, 120, 1500, 255},
        {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", gui::opt::kHidden},
        {Kind::Frame, "Frame1", {}, "Box", 120, 600, 3000, 1200},
        {Kind::Label, "Label2", {}, "Inside", 120, 300, 1500, 255, "Frame1"},
        {Kind::Label, "Label3", {}, "Hidden", 120, 420, 1500, 255, "", gui::opt::kHidden},
        {Kind::CommandButton, "cmdGo", {}, "Go", 3300, 120, 900, 375},
        {Kind::TextBox, "txtName", {}, "", 3300, 600, 1500, 315},
        {Kind::PictureBox, "Picture1", {}, "", 3300, 1080, 600, 600},
    });
  }
};

class SkinTest : public ::testing::Test {
 protected:
  SkinTest() { identity.SkinEnabled = true; }

  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, false};
  FakeVersionInfo version{
      {{"ProductName", "Quenmark"}, {"CompanyName", "Tarvossa"}, {"Comments", "quenmark.example"}}};
  gui::Forms forms;
  gui::SkinObject* engine = nullptr;
  int mainShown = 0;
  frmSplash splash{forms, SplashContext{identity, version, engine,
                                        [this](gui::Form& f) { SkinWindow(f, services); },
                                        [this] { ++mainShown; }}};
  SkinServices services{identity, engine, splash};
};

TEST_F(SkinTest, TheSplashCountdownOpensTheMainWindowOnThe75thTick) {
  splash.show();
  EXPECT_TRUE(splash.Timer2.enabled());
  EXPECT_EQ(splash.Timer2.interval(), 2);
  for (int tick = 1; tick <= 74; ++tick) {
    EXPECT_EQ(splash.intTemp, 2 * (tick - 1));
    splash.Timer2_Timer();
  }
  EXPECT_EQ(splash.intTemp, 148);
  EXPECT_EQ(mainShown, 0);
  EXPECT_TRUE(splash.visible());
  splash.Timer2_Timer();
  EXPECT_EQ(mainShown, 1);
  EXPECT_FALSE(splash.visible());
  EXPECT_FALSE(splash.Timer2.enabled());
  EXPECT_TRUE(splash.loaded()) << "it stays loaded until the main window unloads it";
  // The real timer, from the start, ends the same way.
  splash.unload();
  splash.intTemp = 0;
  splash.show();
  EXPECT_TRUE(pumpUntil(forms, [&] { return mainShown == 2; }));
  EXPECT_EQ(splash.intTemp, 150);
}

TEST_F(SkinTest, SkinningBeforeTheSplashStartsItHiddenAndNoMainWindowFollows) {
  LabelsForm window(forms);
  window.load();
  ASSERT_EQ(engine, nullptr);
  SkinWindow(window, services);
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(splash.loaded());
  EXPECT_FALSE(splash.visible());
  EXPECT_FALSE(splash.Timer2.enabled());
  EXPECT_TRUE(window.skinned());
  EXPECT_EQ(window.backColor(), engine->palette()->window);
  pumpFor(forms, 300ms);
  EXPECT_EQ(mainShown, 0);
}

TEST_F(SkinTest, LabelsGetSkinnedCopiesAndControlsTheSkinsColours) {
  const struct {
    bool enabled;
    gui::LabelCopies copies;
    std::vector<std::string> copied;  // captions of SkinLabel1 elements 1..
  } cases[] = {
      {true, gui::LabelCopies::All, {"First", "Inside", "Hidden"}},
      {true, gui::LabelCopies::ContainerOfFirst, {"First", "Hidden"}},
      {false, gui::LabelCopies::All, {}},
  };
  for (const auto& c : cases) {
    identity.SkinEnabled = c.enabled;
    LabelsForm window(forms);
    window.load();
    skinHook(services)(window, c.copies);
    auto& array = window.controlArray("SkinLabel1");
    ASSERT_EQ(array.count(), c.copied.size() + 1);
    for (std::size_t i = 0; i < c.copied.size(); ++i) {
      const gui::Control& copy = array.element(static_cast<int>(i) + 1);
      const gui::Control& label = [&]() -> gui::Control& {
        for (const char* n : {"Label1", "Label2", "Label3"}) {
          if (window.control(n).caption() == c.copied[i]) return window.control(n);
        }
        throw std::out_of_range(c.copied[i]);
      }();
      EXPECT_EQ(copy.caption(), label.caption());
      EXPECT_EQ(copy.left(), label.left());
      EXPECT_EQ(copy.top(), label.top());
      EXPECT_EQ(copy.width(), label.width());
      EXPECT_EQ(copy.height(), label.height());
      EXPECT_EQ(copy.visible(), label.visible());
      EXPECT_TRUE(label.created()) << "the label stays in place";
    }
    if (c.enabled) {
      EXPECT_EQ(window.control("cmdGo").backColor(), engine->buttonAndFieldBackColor());
      EXPECT_EQ(window.control("txtName").foreColor(), engine->fieldForeColor());
      EXPECT_EQ(window.control("Picture1").backColor(), engine->pictureBackColor());
    } else {
      EXPECT_FALSE(window.skinned());
      EXPECT_FALSE(window.backColor() || window.control("cmdGo").backColor());
    }
  }
}

// Windows on a registry in memory, each made once per case as a fresh run of the program
// makes it; the program's own wiring is driven by ReopenTest.
class WindowsTest : public SkinTest {
 protected:
  WindowsTest() {
    identity.SkinEnabled = false;
    SetDefaultMessages(languages);
  }
  FakeFileSystem fs;
  Cp1252Codec codec;
  std::string language = "English";
  clsLanguages languages{fs, codec, "C:\\Quenmark", identity, language};
  FakeRegistry registry;
  FakeDialogs dialogs;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  int ended = 0;
};

TEST_F(WindowsTest, AboutShowsNameVersionMakerAndWebsite) {
  frmAbout about(forms, {identity, version, languages, skinHook(services)});
  about.open();
  EXPECT_EQ(about.caption(), "About [ProgramName]");
  EXPECT_EQ(about.control("Label1").caption(), "Quenmark");
  EXPECT_EQ(about.control("lblVersion").caption(), "1.0");
  EXPECT_EQ(about.control("lblCompany").caption(), "Tarvossa");
  EXPECT_EQ(about.control("lblWebsite").caption(), "quenmark.example");
  EXPECT_EQ(versionText({2, 4}), "2.4");
}

TEST_F(WindowsTest, StillRunningSavesOnlyTickedBoxesAndEndsForAlwaysExit) {
  const struct {
    bool noShow, alwaysExit;
  } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.noShow) + std::to_string(c.alwaysExit));
    registry = FakeRegistry();
    ended = 0;
    frmStillRunning notice(forms, {options, languages, [this] { ++ended; }});
    notice.open();
    ASSERT_TRUE(notice.visible());
    EXPECT_EQ(notice.caption(), "[ProgramName] is still running");
    notice.control<gui::CheckBox>("chkNoShow").setValue(c.noShow ? 1 : 0);
    notice.control<gui::CheckBox>("chkAlwaysExit").setValue(c.alwaysExit ? 1 : 0);
    notice.control<gui::CommandButton>("cmdOK").click();
    EXPECT_FALSE(notice.loaded());
    EXPECT_EQ(options.get(Setting::chkNoShow, "unset"), c.noShow ? "1" : "unset");
    EXPECT_EQ(options.get(Setting::chkAlwaysExit, "unset"), c.alwaysExit ? "1" : "unset");
    EXPECT_EQ(ended, c.alwaysExit ? 1 : 0);
  }
  // Closed from its title bar or by Escape: nothing saved, nothing ended.
  registry = FakeRegistry();
  ended = 0;
  frmStillRunning notice(forms, {options, languages, [this] { ++ended; }});
  for (UINT message : {UINT{WM_CLOSE}, UINT{WM_COMMAND}}) {
    notice.open();
    notice.control<gui::CheckBox>("chkNoShow").setValue(1);
    notice.control<gui::CheckBox>("chkAlwaysExit").setValue(1);
    // Escape reaches a window as the command IDCANCEL.
    SendMessageW(notice.hwnd(), message, message == WM_COMMAND ? IDCANCEL : 0, 0);
    ASSERT_TRUE(pumpUntil(forms, [&] { return !notice.loaded(); }));
    EXPECT_EQ(options.get(Setting::chkNoShow, "unset"), "unset");
    EXPECT_EQ(options.get(Setting::chkAlwaysExit, "unset"), "unset");
    EXPECT_EQ(ended, 0);
  }
}

TEST_F(WindowsTest, StillRunningNeverShowsOnceExitingCompletelyWasChosen) {
  options.set(Setting::chkAlwaysExit, "1");
  frmStillRunning notice(forms, {options, languages, [this] { ++ended; }});
  notice.open();
  EXPECT_FALSE(notice.visible());
  EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace quenmark::testing
