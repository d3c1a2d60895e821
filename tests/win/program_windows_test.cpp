#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/program_win32.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"
#include "support/temp_folder_win32.h"
#include "platform/win32/text_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// The program as WinMain starts it, in-process, in a temporary program folder with the
// shipped translations. Its settings go to the build prefix's registry under the names
// this test program's version information gives, and are removed afterwards. A language is
// stored and the help already seen, so that the start asks nothing.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    clean();
    EXPECT_TRUE(writeTestFile(folder / "Localization.xml", shippedLocalization()));
    CreateDirectoryW(win32::widen(folder / "data").c_str(), nullptr);
    setString(HKEY_CURRENT_USER, kUserKey, L"Language", L"English");
    setString(HKEY_CURRENT_USER, kUserKey, L"showHelp", L"0");
  }
  ~ProgramTest() override { clean(); }

  static void setString(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* value) {
    RegSetKeyValueW(root, key, name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  static void clean() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvossa\\Quenmark");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvossa\\Quenmark");
  }

  static constexpr const wchar_t* kUserKey = L"Software\\Tarvossa\\Quenmark\\Settings";
  static constexpr const wchar_t* kMachineKey = L"SOFTWARE\\Tarvossa\\Quenmark\\Settings";
  TempFolder folder;
};

TEST_F(ProgramTest, DontShowTheSplashScreenStartsUnseenAndStillOpensTheMainWindow) {
  for (const wchar_t* chkSplash : {L"0", L"1"}) {
    setString(HKEY_LOCAL_MACHINE, kMachineKey, L"chkSplash", chkSplash);
    win32::Program program(folder.path(), false);
    ASSERT_TRUE(program.start());
    frmSplash& splash = *program.splashWindow();
    EXPECT_TRUE(splash.loaded());
    EXPECT_EQ(splash.visible(), chkSplash[0] == L'0');
    EXPECT_NE(program.skin(), nullptr) << "the identity and the skin start either way";
    ASSERT_TRUE(program.waitForMainWindow(10s));
    EXPECT_TRUE(program.mainWindow()->visible());
    EXPECT_FALSE(splash.visible());
    int mains = 0;
    for (gui::Form* f : program.forms().list()) mains += f->name() == "frmMain";
    EXPECT_EQ(mains, 1);
  }
}

// Every window of the program, skinned, in both palettes: pictures kept for review, named
// after the window and the palette.
TEST_F(ProgramTest, EveryWindowIsSkinnedInBothPalettes) {
  win32::Program program(folder.path(), false);
  ASSERT_TRUE(program.start());
  ASSERT_TRUE(program.waitForMainWindow(10s));
  gui::SkinObject* skin = program.skin();
  ASSERT_NE(skin, nullptr);
  AppWindows& windows = program.windows();
  windows.wizard(std::nullopt);
  windows.options();
  windows.language(false);
  windows.about();
  windows.stillRunning();
  windows.website();
  windows.countdown();  // no run counting down: the action and schedule stay blank
  program.splashWindow()->show();
  for (bool dark : {false, true}) {
    skin->setDark(dark);
    pumpFor(program.forms(), 200ms);
    for (gui::Form* form : program.forms().list()) {
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
  program.splashWindow()->hide();
}

}  // namespace
}  // namespace quenmark::testing
