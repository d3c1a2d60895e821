#pragma once

#include <windows.h>
// powrprof.h needs the types of windows.h first.
#include <powrprof.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the program calls of powrprof, loaded on first use: the power plan's wake timer
// setting, which only the options window asks for. These return their error code.
struct PowrProfApi {
  LazyLibrary library{L"powrprof.dll"};
  QUENMARK_LAZY_FUNCTION(PowerGetActiveScheme, &failsErrorCode);
  QUENMARK_LAZY_FUNCTION(PowerReadACValueIndex, &failsErrorCode);
  QUENMARK_LAZY_FUNCTION(PowerReadDCValueIndex, &failsErrorCode);
};

}  // namespace quenmark::win32
