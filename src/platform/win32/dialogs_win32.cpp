#include "platform/win32/dialogs_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

MsgResult Win32Dialogs::messageBox(const std::string& text, const std::string& title,
                                   MsgButtons buttons, MsgIcon icon) {
  UINT type = 0;
  switch (buttons) {
    case MsgButtons::Ok:
      type = MB_OK;
      break;
    case MsgButtons::OkCancel:
      type = MB_OKCANCEL;
      break;
    case MsgButtons::YesNo:
      type = MB_YESNO;
      break;
    case MsgButtons::AbortRetryIgnore:
      type = MB_ABORTRETRYIGNORE;
      break;
  }
  switch (icon) {
    case MsgIcon::None:
      break;
    case MsgIcon::Information:
      type |= MB_ICONINFORMATION;
      break;
    case MsgIcon::Question:
      type |= MB_ICONQUESTION;
      break;
    case MsgIcon::Warning:
      type |= MB_ICONWARNING;
      break;
    case MsgIcon::Error:
      type |= MB_ICONERROR;
      break;
  }
  int r = MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(title).c_str(), type);
  // 0 means the box could not be shown: treat it as the safe answer.
  if (r == 0) return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
  return static_cast<MsgResult>(r);
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& title,
                                                         WindowHandle owner) {
  // The new-style dialog needs COM on this thread.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::wstring prompt = widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner ? reinterpret_cast<HWND>(owner) : GetActiveWindow();
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_USENEWUI;
  std::optional<std::string> chosen;
  if (const UniqueCoTask<PIDLIST_ABSOLUTE> list{SHBrowseForFolderW(&info)}) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(list.get(), path)) chosen = narrow(path);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace quenmark::win32
