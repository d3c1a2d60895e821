#pragma once

#include "platform/dialogs.h"
#include "platform/win32/com_api_win32.h"
#include "platform/win32/shell_api_win32.h"

namespace quenmark::win32 {

// Message boxes owned by the active window, and the shell's folder-browse dialog.
class Win32Dialogs : public Dialogs {
 public:
  MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon = MsgIcon::None) override;
  std::optional<std::string> browseForFolder(const std::string& title,
                                             WindowHandle owner) override;

 private:
  Ole32Api ole32_;
  Shell32Api shell32_;
};

}  // namespace quenmark::win32
