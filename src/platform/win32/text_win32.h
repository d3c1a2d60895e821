#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quenmark::win32 {

// The core speaks UTF-8; Windows is called through its W functions. These two helpers are
// the only place where the two meet.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
// The same text in another code page (a console's), for bytes that leave the program.
std::string narrow(std::wstring_view wide, UINT codePage);

// The system's description of a Win32 error code, without the trailing line break.
std::string errorDescription(DWORD code);

}  // namespace quenmark::win32
