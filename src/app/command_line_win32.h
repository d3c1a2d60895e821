#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/cli/message.h"

namespace quenmark::win32 {

// The arguments of a command line (GetCommandLineW's) after the program's own name, in UTF-8.
std::vector<std::string> commandLineArguments(const wchar_t* line);

// A start with arguments, from the parsing to the exit code: the request goes to the
// running program (found by the window below), or is carried out on the data folder, or
// starts the program in the tray first, and the answer is printed to the console that
// started it (or to its redirected output, or, with neither, in a message box).
int runCommandLine(const std::vector<std::string>& args);

// The window through which the running program takes requests: message-only, of its own
// class, named after the program's single-instance mutex so that a start of the same program
// finds it. A request arrives as WM_COPYDATA whose wParam is the caller's window; the answer
// goes back to that window as WM_COPYDATA before the request returns TRUE.
class CommandReceiver {
 public:
  using Answer = std::function<cli::Reply(const cli::Request&)>;

  CommandReceiver(const std::string& instanceName, Answer answer);
  ~CommandReceiver();
  CommandReceiver(const CommandReceiver&) = delete;
  CommandReceiver& operator=(const CommandReceiver&) = delete;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Answer answer_;
  HWND hwnd_ = nullptr;
};

}  // namespace quenmark::win32
