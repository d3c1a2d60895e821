#include "platform/win32/module_path_win32.h"

#include <windows.h>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

std::wstring runningModulePathW() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // the name was cut: try a larger buffer
  }
}

std::string runningModulePath() { return narrow(runningModulePathW()); }

}  // namespace quenmark::win32
