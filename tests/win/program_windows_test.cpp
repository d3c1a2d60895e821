#include <gtest/gtest.h>

#include <windows.h>

#include <string>
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

// Every window of the program, skinned, in both palettes: pictures kept for review, named
// after the window and the palette.
TEST_F(ProgramTest, EveryWindowIsSkinnedInBothPalettes) {
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
  for (bool dark : {false, true}) {
    skin->setDark(dark);
    pumpFor(p.forms(), 200ms);
    for (gui::Form* form : p.forms().list()) {
      if (!form->visible()) continue;
      SCOPED_TRACE(form->name());
      EXPECT_TRUE(form->skinned());
      EXPECT_EQ(form->backColor(), skin->palette().window);
      std::string name = form->name().substr(3);  // "frmAbout" -> "About"
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      RedrawWindow(form->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      EXPECT_TRUE(saveWindowBitmap(
          form->hwnd(), screenshotFolder() + "\\" + name + (dark ? "-dark.bmp" : "-light.bmp")));
    }
  }
  p.splashWindow()->hide();
}

}  // namespace
}  // namespace quenmark::testing
