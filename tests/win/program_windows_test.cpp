#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program_win32.h"
#include "support/gui_pump_win32.h"
#include "support/program_harness_win32.h"
#include "support/screenshot_win32.h"
#include "support/temp_folder_win32.h"
#include "platform/win32/text_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// The program as WinMain starts it, in-process (see ProgramHarness).
class ProgramTest : public ::testing::Test, public ProgramHarness {};

TEST_F(ProgramTest, DontShowTheSplashScreenStartsUnseenAndStillOpensTheMainWindow) {
  for (const wchar_t* chkSplash : {L"0", L"1"}) {
    setMachine("chkSplash", win32::narrow(chkSplash));
    win32::Program& p = start(/*untilMainWindow=*/false);
    frmSplash& splash = *p.splashWindow();
    EXPECT_TRUE(splash.loaded());
    EXPECT_EQ(splash.visible(), chkSplash[0] == L'0');
    EXPECT_NE(p.skin(), nullptr) << "the identity and the skin start either way";
    ASSERT_TRUE(p.waitForMainWindow(10s));
    EXPECT_TRUE(p.mainWindow()->visible());
    EXPECT_FALSE(splash.visible());
    int mains = 0;
    for (gui::Form* f : p.forms().list()) mains += f->name() == "frmMain";
    EXPECT_EQ(mains, 1);
  }
}

// The classic "High Contrast Black" scheme as Windows sets it, the colours of every window
// changed at once; the colours before are put back when it goes.
class HighContrastScheme {
 public:
  HighContrastScheme() {
    for (const auto& [index, color] : kScheme) {
      indexes_.push_back(index);
      scheme_.push_back(color);
      saved_.push_back(GetSysColor(index));
    }
  }
  ~HighContrastScheme() { restore(); }
  HighContrastScheme(const HighContrastScheme&) = delete;
  HighContrastScheme& operator=(const HighContrastScheme&) = delete;
  void apply() { SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), scheme_.data()); }
  void restore() {
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), saved_.data());
  }

 private:
  static constexpr std::pair<int, COLORREF> kScheme[] = {
      {COLOR_WINDOW, RGB(0, 0, 0)},
      {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
      {COLOR_BTNFACE, RGB(0, 0, 0)},
      {COLOR_BTNTEXT, RGB(255, 255, 255)},
      {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
      {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},
      {COLOR_HIGHLIGHT, RGB(128, 0, 128)},
      {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
      {COLOR_GRAYTEXT, RGB(0, 255, 0)},
      {COLOR_HOTLIGHT, RGB(128, 128, 255)},
      {COLOR_MENU, RGB(0, 0, 0)},
      {COLOR_MENUTEXT, RGB(255, 255, 255)},
      {COLOR_MENUBAR, RGB(0, 0, 0)},
      {COLOR_MENUHILIGHT, RGB(128, 0, 128)},
      {COLOR_ACTIVECAPTION, RGB(128, 0, 128)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_INACTIVECAPTION, RGB(0, 128, 0)},
      {COLOR_INACTIVECAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_GRADIENTACTIVECAPTION, RGB(128, 0, 128)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(0, 128, 0)},
      {COLOR_ACTIVEBORDER, RGB(255, 255, 0)},
      {COLOR_INACTIVEBORDER, RGB(0, 255, 255)},
      {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
      {COLOR_SCROLLBAR, RGB(0, 0, 0)},
      {COLOR_APPWORKSPACE, RGB(0, 0, 0)},
      {COLOR_BACKGROUND, RGB(0, 0, 0)},
      {COLOR_INFOBK, RGB(0, 0, 0)},
      {COLOR_INFOTEXT, RGB(255, 255, 255)},
  };
  std::vector<int> indexes_;
  std::vector<COLORREF> scheme_;
  std::vector<COLORREF> saved_;
};

// Every window of the program, open while Windows' colours change: light, dark, high
// contrast (the skin steps aside for the system's colours, the user's scheme) and light
// again. Pictures kept for review, named after the window and the palette. Wine cannot turn
// high contrast on, so the skin's question is answered here; the scheme is set as Windows
// sets it, which tells every window (WM_SYSCOLORCHANGE), as a switch of the app mode does
// (WM_SETTINGCHANGE).
TEST_F(ProgramTest, EveryWindowFollowsWindowsColoursWhileOpen) {
  win32::Program& p = start();
  gui::SkinObject* skin = p.skin();
  ASSERT_NE(skin, nullptr);
  AppWindows& windows = p.windows();
  windows.wizard(std::nullopt);
  windows.options();
  windows.language(false);
  windows.about();
  windows.stillRunning();
  windows.website();
  windows.countdown();  // no run counting down: the action and schedule stay blank
  windows.condition("Shut Down");
  p.splashWindow()->show();
  auto settings = std::make_shared<DisplaySettings>();
  skin->setSettingsSource([settings] { return *settings; });
  HighContrastScheme scheme;
  const struct {
    const char* picture;
    DisplaySettings settings;
  } cases[] = {{"light", {}},
               {"dark", {.appsDark = true}},
               {"high-contrast", {.highContrast = true}},
               {"light", {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    const bool wasHigh = settings->highContrast;
    *settings = c.settings;
    if (c.settings.highContrast) {
      scheme.apply();
    } else if (wasHigh) {
      scheme.restore();
    } else {
      SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                   reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    }
    pumpFor(p.forms(), 200ms);
    ASSERT_EQ(skin->choice(), choosePalette(c.settings));
    const std::optional<SkinPalette>& palette = skin->palette();
    for (gui::Form* form : p.forms().list()) {
      if (!form->visible()) continue;
      SCOPED_TRACE(form->name());
      EXPECT_TRUE(form->skinned());
      EXPECT_EQ(form->backColor(),
                palette ? std::optional<COLORREF>(palette->window) : std::nullopt);
      // Under high contrast no control keeps a colour of the skin; back from it, the skin's
      // colours return.
      for (TranslatableControl* t : form->controls()) {
        auto* control = dynamic_cast<gui::Control*>(t);
        if (!control || !control->created() || control->kind() == gui::Kind::Line) continue;
        if (!palette) {
          EXPECT_FALSE(control->backColor() || control->foreColor()) << control->name();
        } else if (control->kind() == gui::Kind::CommandButton) {
          EXPECT_EQ(control->backColor(), palette->face) << control->name();
        }
      }
      std::string name = form->name().substr(3);  // "frmAbout" -> "About"
      for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      RedrawWindow(form->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      EXPECT_TRUE(saveWindowBitmap(form->hwnd(),
                                   screenshotFolder() + "\\" + name + "-" + c.picture + ".bmp"));
    }
  }
  skin->setSettingsSource(gui::SkinObject::systemDisplaySettings);
  p.splashWindow()->hide();
}

}  // namespace
}  // namespace quenmark::testing
