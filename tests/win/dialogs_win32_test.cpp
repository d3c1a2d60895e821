#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "gui/form.h"
#include "platform/win32/dialogs_win32.h"

namespace quenmark::win32 {
namespace {

// Answers the box that a modal loop shows: the box's title names the button to press, and
// the owner it found is noted on the owner window.
BOOL CALLBACK answerIfBox(HWND w, LPARAM) {
  wchar_t cls[16] = {}, title[64] = {};
  GetClassNameW(w, cls, 16);
  if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w)) return TRUE;
  GetWindowTextW(w, title, 64);
  int button = std::wstring(title).find(L"answer no") != std::wstring::npos ? IDNO : IDCANCEL;
  if (HWND owner = GetWindow(w, GW_OWNER)) SetPropW(owner, L"sawBox", owner);
  PostMessageW(w, WM_COMMAND, button, 0);
  return FALSE;
}

void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &answerIfBox, 0);
}

TEST(Win32Dialogs, MessageBoxIsOwnedByTheActiveWindowAndAnswers) {
  gui::Forms forms;
  gui::Form owner(forms, "frmOwner", {.caption = "Owner"});
  owner.show();
  owner.activate();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, &answerBox);
  Win32Dialogs dialogs;
  MsgResult r =
      dialogs.messageBox("Really delete?", "answer no", MsgButtons::YesNo, MsgIcon::Question);
  KillTimer(nullptr, timer);
  EXPECT_EQ(r, MsgResult::No);
  EXPECT_EQ(GetPropW(owner.hwnd(), L"sawBox"), owner.hwnd());
  RemovePropW(owner.hwnd(), L"sawBox");
}

TEST(Win32Dialogs, CancelledFolderBrowseChoosesNothing) {
  UINT_PTR timer = SetTimer(nullptr, 0, 100, &answerBox);
  Win32Dialogs dialogs;
  std::optional<std::string> folder = dialogs.browseForFolder("Choose the data folder", 0);
  KillTimer(nullptr, timer);
  EXPECT_EQ(folder, std::nullopt);
}

}  // namespace
}  // namespace quenmark::win32
