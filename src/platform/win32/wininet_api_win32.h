#pragma once

#include <windows.h>
// wininet.h needs the types of windows.h first.
#include <wininet.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the program calls of WinINet, loaded on first use: only the language download.
struct WinInetApi {
  LazyLibrary library{L"wininet.dll"};
  QUENMARK_LAZY_FUNCTION(InternetOpenW);
  QUENMARK_LAZY_FUNCTION(InternetOpenUrlW);
  QUENMARK_LAZY_FUNCTION(InternetReadFile);
  QUENMARK_LAZY_FUNCTION(InternetCloseHandle);
  QUENMARK_LAZY_FUNCTION(HttpQueryInfoW);
};

}  // namespace quenmark::win32
