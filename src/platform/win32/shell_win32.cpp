#include "platform/win32/shell_win32.h"

#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

std::intptr_t Win32Shell::execute(WindowHandle owner, const std::string& verb,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
  // Empty texts are passed as no text, as the shell expects for "none".
  std::wstring v = widen(verb), f = widen(file), p = widen(parameters), d = widen(directory);
  HINSTANCE r = shell32_.ShellExecuteW(
      reinterpret_cast<HWND>(owner), v.empty() ? nullptr : v.c_str(), f.c_str(),
      p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(r);
}

Status Win32Shell::startProcess(const std::string& commandLine) {
  // CreateProcessW may write into the command line, so it gets its own buffer.
  std::wstring line = widen(commandLine);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    DWORD e = GetLastError();
    return SysError{static_cast<std::int64_t>(e), errorDescription(e)};
  }
  // The program runs on its own; nothing here waits for it.
  UniqueHandle thread(pi.hThread), process(pi.hProcess);
  return std::nullopt;
}

}  // namespace quenmark::win32
