#pragma once

#include <string>

namespace quenmark::win32 {

// The running program's file, as Windows reports it (not the current folder); empty when
// Windows cannot say.
std::wstring runningModulePathW();
std::string runningModulePath();

}  // namespace quenmark::win32
