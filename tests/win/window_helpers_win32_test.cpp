#include <windows.h>

#include <gtest/gtest.h>

#include "core/settings/options.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_win32.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "support/temp_folder_win32.h"
#include "windows/form8_window.h"
#include "gui/on_top_win32.h"
#include "base/file_exists.h"

namespace quenmark {
namespace {

TEST(FileExistsWin32, HiddenSystemFileInAnotherCaseExistsAndAFolderDoesNot) {
  testing::TempFolder dir;
  const std::string hidden = dir / "QmHidden.SYS";
  ASSERT_TRUE(testing::writeTestFile(hidden, "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_EQ(GetFileAttributesW(win32::widen(hidden).c_str()) &
                (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(testing::writeTestFile(dir / "plain.sch", ""));
  ASSERT_TRUE(CreateDirectoryW(win32::widen(dir / "Sub").c_str(), nullptr));
  win32::Win32FileSystem fs;
  EXPECT_TRUE(FileExists(fs, dir.path() + "\\qmhidden.sys"));
  EXPECT_TRUE(FileExists(fs, dir.path() + "\\PLAIN.SCH"));
  EXPECT_FALSE(FileExists(fs, dir.path() + "\\Sub"));
  EXPECT_FALSE(FileExists(fs, dir.path() + "\\*.sch"));
  EXPECT_FALSE(FileExists(fs, dir.path() + "\\missing.txt"));
  EXPECT_FALSE(FileExists(fs, "Q:\\no\\drive\\file.txt"));
}

HWND plainWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuenmarkHelperTest";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"t", WS_OVERLAPPEDWINDOW, 40, 50, 300, 200, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

TEST(SetOnTopWin32, ChangesOnlyTheLayer) {
  HWND w = plainWindow();
  ASSERT_NE(w, nullptr);
  RECT before, after;
  GetWindowRect(w, &before);
  SetOnTop(w, true);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetOnTop(w, false);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  GetWindowRect(w, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  DestroyWindow(w);
}

TEST(Form8Win32, InvisibleWindowOpensTheHelpForItselfOnce) {
  testing::FakeFileSystem fs;
  fs.addDirectory("C:\\Quenmark");
  fs.addFile("C:\\Quenmark\\Help.chm", "ITSF");
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  testing::FakeDialogs dialogs;
  ProductIdentity identity;
  identity.ProgramName = "Quenmark";
  identity.CompanyName = "Tarvossa";
  SettingsStore settings(registry, dialogs, identity, [] { return false; });
  Options options(settings, identity);

  Form8 form({fs, shell, options, "C:\\Quenmark"});
  ASSERT_NE(form.hwnd(), nullptr);
  EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  RECT r;
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  ASSERT_EQ(shell.executed.size(), 1u);
  EXPECT_EQ(shell.executed[0].owner, reinterpret_cast<WindowHandle>(form.hwnd()));
  EXPECT_EQ(shell.executed[0].file, "C:\\Quenmark\\Help.chm");
  EXPECT_EQ(
      registry.text(reg::kHkeyCurrentUser, "Software\\Tarvossa\\Quenmark\\Settings", "showHelp"),
      "0");
  HWND h = form.hwnd();
  form.Unload();
  EXPECT_FALSE(IsWindow(h));
}

TEST(ShellWin32, ReportsWhatCouldNotBeOpenedOrStarted) {
  win32::Win32Shell shell;
  Status s = shell.startProcess("quenmark-no-such-program.exe");
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->number, ERROR_FILE_NOT_FOUND);
  EXPECT_LE(shell.execute(0, "open", "C:\\quenmark\\no-such-help.chm", "", "", kSwShowNormal), 32);
}

TEST(ShellWin32, StartsAProcessWithoutWaiting) {
  win32::Win32Shell shell;
  EXPECT_EQ(shell.startProcess("cmd.exe /c exit 0"), std::nullopt);
}

}  // namespace
}  // namespace quenmark
