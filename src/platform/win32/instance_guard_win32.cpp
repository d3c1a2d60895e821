#include "platform/win32/instance_guard_win32.h"

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

NamedMutexGuard::NamedMutexGuard(const std::string& name)
    : mutex_(CreateMutexW(nullptr, FALSE, widen(name).c_str())) {
  // The handle is kept even when the mutex existed: closing it would not end the other.
  another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool instanceRuns(const std::string& name) {
  return UniqueHandle(OpenMutexW(SYNCHRONIZE, FALSE, widen(name).c_str())).valid();
}

std::string instanceMutexName(const std::string& companyName, const std::string& programName) {
  // Backslashes would name a namespace; the names are plain words, but keep it safe.
  std::string name = companyName + "." + programName + ".Running";
  for (char& c : name) {
    if (c == '\\') c = '_';
  }
  return "Local\\" + name;
}

}  // namespace quenmark::win32
