#include "platform/win32/power_api_win32.h"

#include <windows.h>
#include <powrprof.h>

#include <cstring>

#include "platform/win32/text_win32.h"

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

// The sleep settings of a power plan and, in it, "Allow wake timers" (0 disabled, 1 enabled,
// 2 important wake timers only, which ours is not).
constexpr GUID kSleepSubgroup = {
    0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
constexpr GUID kAllowRtcWake = {
    0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};

// A local time as the system's UTC file time, with the daylight rule of that date.
std::optional<FILETIME> utcFileTime(std::chrono::local_seconds local) {
  using namespace std::chrono;
  const local_days day = floor<days>(local);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> time{local - day};
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(static_cast<int>(ymd.year()));
  st.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
  st.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
  st.wHour = static_cast<WORD>(time.hours().count());
  st.wMinute = static_cast<WORD>(time.minutes().count());
  st.wSecond = static_cast<WORD>(time.seconds().count());
  SYSTEMTIME utc{};
  FILETIME ft{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &st, &utc) || !SystemTimeToFileTime(&utc, &ft)) {
    return std::nullopt;
  }
  return ft;
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
  if (ExitWindowsEx(flags, reserved)) return true;
  lastError_ = GetLastError();
  return false;
}

bool Win32PowerApi::setSystemPowerState(std::int32_t suspend, std::int32_t force) {
  if (SetSystemPowerState(suspend, force)) return true;
  lastError_ = GetLastError();
  return false;
}

SysError Win32PowerApi::lastError() { return {lastError_, errorDescription(lastError_)}; }

std::uint32_t Win32PowerApi::setThreadExecutionState(std::uint32_t flags) {
  return SetThreadExecutionState(flags);
}

bool Win32PowerApi::setWakeTimer(std::chrono::local_seconds due) {
  const std::optional<FILETIME> at = utcFileTime(due);
  if (!at) return false;
  if (!wakeTimer_) {
    wakeTimer_.reset(CreateWaitableTimerW(nullptr, TRUE, nullptr));
    if (!wakeTimer_) return false;
  }
  LARGE_INTEGER when{};
  when.LowPart = at->dwLowDateTime;
  when.HighPart = static_cast<LONG>(at->dwHighDateTime);
  return SetWaitableTimer(wakeTimer_.get(), &when, 0, nullptr, nullptr, TRUE) != FALSE;
}

bool Win32PowerApi::cancelWakeTimer() {
  return !wakeTimer_ || CancelWaitableTimer(wakeTimer_.get()) != FALSE;
}

std::optional<bool> Win32PowerApi::wakeTimersAllowed() {
  GUID* scheme = nullptr;
  if (PowerGetActiveScheme(nullptr, &scheme) != ERROR_SUCCESS || scheme == nullptr) {
    return std::nullopt;
  }
  const UniqueLocal owned(scheme);
  SYSTEM_POWER_STATUS status{};
  const bool onBattery = GetSystemPowerStatus(&status) && status.ACLineStatus == 0;
  DWORD value = 0;
  const DWORD read = onBattery
                         ? PowerReadDCValueIndex(nullptr, scheme, &kSleepSubgroup, &kAllowRtcWake, &value)
                         : PowerReadACValueIndex(nullptr, scheme, &kSleepSubgroup, &kAllowRtcWake, &value);
  if (read != ERROR_SUCCESS) return std::nullopt;
  return value == 1;
}

}  // namespace quenmark::win32
