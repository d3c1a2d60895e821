#include "platform/win32/dialogs_win32.h"

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
  // The new-style dialog needs OLE on this thread: COM for its views, OLE for dragging in it.
  const OleSession ole;
  std::wstring prompt = widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner ? reinterpret_cast<HWND>(owner) : GetActiveWindow();
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_USENEWUI;
  PIDLIST_ABSOLUTE list = shell32_.SHBrowseForFolderW(&info);
  if (!list) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool found = shell32_.SHGetPathFromIDListW(list, path) != FALSE;
  ole32_.CoTaskMemFree(list);
  if (!found) return std::nullopt;
  return narrow(path);
}

}  // namespace quenmark::win32
