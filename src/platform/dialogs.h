#pragma once

#include <optional>
#include <string>

#include "platform/window_handle.h"

namespace quenmark {

enum class MsgButtons { Ok, OkCancel, YesNo, AbortRetryIgnore };
enum class MsgIcon { None, Information, Question, Warning, Error };
// Values as MessageBox returns them.
enum class MsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// Every modal question the program asks goes through here, so tests can answer it.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MsgResult messageBox(const std::string& text, const std::string& title,
                               MsgButtons buttons, MsgIcon icon = MsgIcon::None) = 0;
  // The folder-browse dialog owned by `owner` (0: the active window): file-system folders
  // only, with a status line and an edit box for typing a path, in the new style. The chosen
  // folder, or nothing when cancelled.
  virtual std::optional<std::string> browseForFolder(const std::string& title,
                                                     WindowHandle owner) = 0;
};

}  // namespace quenmark
