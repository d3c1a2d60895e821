#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/shell_win32.h"
#include "platform/win32/text_win32.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "ui/form8_window.h"
#include "ui/on_top_win32.h"
#include "ui/xfile_exists.h"

namespace quenmark {
namespace {

// Just the directory search of a file system, over FindFirstFileW, with the mask rules of
// the seam: hidden, system and folder entries only when the mask holds their bit.
class SearchingFileSystem : public FileSystem {
 public:
  std::vector<std::string> find(const std::string& pattern, std::uint32_t mask) const override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW(win32::widen(pattern).c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      std::wstring n = d.cFileName;
      if (n == L"." || n == L"..") continue;
      const std::uint32_t special =
          d.dwFileAttributes & (attr::kHidden | attr::kSystem | attr::kDirectory);
      if ((special & mask) != special) continue;
      names.push_back(win32::narrow(n));
    } while (FindNextFileW(h, &d));
    FindClose(h);
    return names;
  }
  Result<std::string> readFile(const std::string&) const override { return SysError{50, ""}; }
  Status replaceFile(const std::string&, std::string_view) override { return SysError{50, ""}; }
  Status deleteFile(const std::string&) override { return SysError{50, ""}; }
  bool directoryExists(const std::string&) const override { return false; }
  Status createDirectory(const std::string&) override { return SysError{50, ""}; }
};

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"quenmark-helpers-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const auto& f : files_) {
      SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(f.c_str());
    }
    for (const auto& d : dirs_) RemoveDirectoryW(d.c_str());
    RemoveDirectoryW(path_.c_str());
  }
  std::string path() const { return win32::narrow(path_); }
  std::wstring addFile(const wchar_t* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    std::wstring p = path_ + L"\\" + name;
    HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    SetFileAttributesW(p.c_str(), attributes);
    files_.push_back(p);
    return p;
  }
  void addFolder(const wchar_t* name) {
    std::wstring p = path_ + L"\\" + name;
    CreateDirectoryW(p.c_str(), nullptr);
    dirs_.push_back(p);
  }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_, dirs_;
};

TEST(FileExistsWin32, HiddenSystemFileInAnotherCaseExistsAndAFolderDoesNot) {
  TempFolder dir;
  std::wstring hidden = dir.addFile(L"QmHidden.SYS", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_EQ(GetFileAttributesW(hidden.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  dir.addFile(L"plain.sch");
  dir.addFolder(L"Sub");
  SearchingFileSystem fs;
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

  Form8 form({fs, shell, settings, identity, "C:\\Quenmark"});
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
      registry.text(reg::kHkeyLocalMachine, "SOFTWARE\\Tarvossa\\Quenmark\\Settings", "showHelp"),
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
