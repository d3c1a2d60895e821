#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the program calls of shell32, loaded on first use: the tray icon comes with the main
// window, opening files and pages and the folder dialog later still; a start with arguments
// splits its command line.
struct Shell32Api {
  LazyLibrary library{L"shell32.dll"};
  // A value of 32 or less is ShellExecuteW's failure; SE_ERR_DLLNOTFOUND says which.
  QUENMARK_LAZY_FUNCTION(ShellExecuteW, [](DWORD) {
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  });
  QUENMARK_LAZY_FUNCTION(Shell_NotifyIconW);
  QUENMARK_LAZY_FUNCTION(SHBrowseForFolderW);
  QUENMARK_LAZY_FUNCTION(SHGetPathFromIDListW);
  QUENMARK_LAZY_FUNCTION(CommandLineToArgvW);
};

}  // namespace quenmark::win32
