#pragma once

#include <windows.h>

#include <dwmapi.h>
#include <uxtheme.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the skin calls of uxtheme, loaded on first use: the dark themes of the list, tree and
// combo boxes, which the splash window has none of.
struct UxThemeApi {
  LazyLibrary library{L"uxtheme.dll"};
  QUENMARK_LAZY_FUNCTION(SetWindowTheme, &failsHresult);
};

// And of dwmapi: the colours of a skinned window's title bar.
struct DwmApi {
  LazyLibrary library{L"dwmapi.dll"};
  QUENMARK_LAZY_FUNCTION(DwmSetWindowAttribute, &failsHresult);
};

}  // namespace quenmark::win32
