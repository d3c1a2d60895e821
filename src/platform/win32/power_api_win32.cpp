#include "platform/win32/power_api_win32.h"

#include <windows.h>

#include <cstring>

namespace quenmark::win32 {
namespace {

// The portable records mirror the system's, field for field and byte for byte.
static_assert(sizeof(OsVersionInfoA) == sizeof(OSVERSIONINFOA));
static_assert(sizeof(LuidAndAttributes) == sizeof(LUID_AND_ATTRIBUTES));
static_assert(sizeof(TokenPrivileges) == sizeof(TOKEN_PRIVILEGES));

HANDLE toHandle(SysHandle h) { return reinterpret_cast<HANDLE>(h); }
SysHandle fromHandle(HANDLE h) { return reinterpret_cast<SysHandle>(h); }

OSVERSIONINFOA toSystem(const OsVersionInfoA& v) {
  OSVERSIONINFOA out{};
  out.dwOSVersionInfoSize = v.dwOSVersionInfoSize;
  out.dwMajorVersion = v.dwMajorVersion;
  out.dwMinorVersion = v.dwMinorVersion;
  out.dwBuildNumber = v.dwBuildNumber;
  out.dwPlatformId = v.dwPlatformId;
  std::memcpy(out.szCSDVersion, v.szCSDVersion, sizeof out.szCSDVersion);
  return out;
}

void fromSystem(const OSVERSIONINFOA& v, OsVersionInfoA& out) {
  out.dwOSVersionInfoSize = v.dwOSVersionInfoSize;
  out.dwMajorVersion = v.dwMajorVersion;
  out.dwMinorVersion = v.dwMinorVersion;
  out.dwBuildNumber = v.dwBuildNumber;
  out.dwPlatformId = v.dwPlatformId;
  std::memcpy(out.szCSDVersion, v.szCSDVersion, sizeof out.szCSDVersion);
}

LUID toSystem(const Luid& l) { return LUID{l.LowPart, l.HighPart}; }
Luid fromSystem(const LUID& l) { return Luid{l.LowPart, l.HighPart}; }

TOKEN_PRIVILEGES toSystem(const TokenPrivileges& t) {
  TOKEN_PRIVILEGES out{};
  out.PrivilegeCount = t.PrivilegeCount;
  out.Privileges[0].Luid = toSystem(t.Privileges[0].Luid);
  out.Privileges[0].Attributes = t.Privileges[0].Attributes;
  return out;
}

void fromSystem(const TOKEN_PRIVILEGES& t, TokenPrivileges& out) {
  out.PrivilegeCount = t.PrivilegeCount;
  out.Privileges[0].Luid = fromSystem(t.Privileges[0].Luid);
  out.Privileges[0].Attributes = t.Privileges[0].Attributes;
}

}  // namespace

bool Win32PowerApi::getVersionEx(OsVersionInfoA& info) {
  OSVERSIONINFOA v = toSystem(info);
  if (!GetVersionExA(&v)) return false;
  fromSystem(v, info);
  return true;
}

SysHandle Win32PowerApi::getCurrentProcess() { return fromHandle(GetCurrentProcess()); }

bool Win32PowerApi::openProcessToken(SysHandle process, std::uint32_t desiredAccess,
                                     SysHandle& token) {
  HANDLE h = nullptr;
  if (!OpenProcessToken(toHandle(process), desiredAccess, &h)) return false;
  token = fromHandle(h);
  return true;
}

bool Win32PowerApi::lookupPrivilegeValue(const std::string& systemName, const std::string& name,
                                         Luid& luid) {
  LUID l{};
  // Privilege names are ASCII, so the A function is exact here.
  if (!LookupPrivilegeValueA(systemName.empty() ? nullptr : systemName.c_str(), name.c_str(), &l))
    return false;
  luid = fromSystem(l);
  return true;
}

bool Win32PowerApi::adjustTokenPrivileges(SysHandle token, bool disableAllPrivileges,
                                          const TokenPrivileges& newState,
                                          std::uint32_t bufferLength,
                                          TokenPrivileges& previousState,
                                          std::uint32_t& returnLength) {
  TOKEN_PRIVILEGES in = toSystem(newState);
  TOKEN_PRIVILEGES out = toSystem(previousState);
  // Never promise the system more room than the record has.
  const DWORD length = bufferLength < sizeof out ? bufferLength : sizeof out;
  DWORD returned = returnLength;
  const BOOL ok = AdjustTokenPrivileges(toHandle(token), disableAllPrivileges ? TRUE : FALSE, &in,
                                        length, &out, &returned);
  fromSystem(out, previousState);
  returnLength = returned;
  return ok != FALSE;
}

bool Win32PowerApi::closeHandle(SysHandle handle) { return CloseHandle(toHandle(handle)) != FALSE; }

bool Win32PowerApi::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return ExitWindowsEx(flags, reserved) != FALSE;
}

bool Win32PowerApi::setSystemPowerState(std::int32_t suspend, std::int32_t force) {
  return SetSystemPowerState(suspend, force) != FALSE;
}

std::uint32_t Win32PowerApi::setThreadExecutionState(std::uint32_t flags) {
  return SetThreadExecutionState(flags);
}

}  // namespace quenmark::win32
