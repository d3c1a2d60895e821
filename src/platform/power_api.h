#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/result.h"

namespace quenmark {

// The records the power calls exchange with Windows, laid out as the system lays them out,
// so that the Win32 side copies them across unchanged and tests see exactly what was sent.

// OSVERSIONINFOA: 148 bytes, its size field set by the caller.
struct OsVersionInfoA {
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
  char szCSDVersion[128] = {};
};
static_assert(sizeof(OsVersionInfoA) == 148);

struct Luid {
  std::uint32_t LowPart = 0;
  std::int32_t HighPart = 0;
  friend bool operator==(const Luid&, const Luid&) = default;
};

struct LuidAndAttributes {
  quenmark::Luid Luid;
  std::uint32_t Attributes = 0;
};

// TOKEN_PRIVILEGES with room for one privilege: 4 + 12 x 1 = 16 bytes.
struct TokenPrivileges {
  std::uint32_t PrivilegeCount = 0;
  LuidAndAttributes Privileges[1];
};
static_assert(sizeof(TokenPrivileges) == 16);

// A kernel handle as Windows hands it out; 0 is none.
using SysHandle = std::uintptr_t;

namespace power {
inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;
inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x8;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;
inline constexpr std::uint32_t kEwxLogoff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr const char* kSeShutdownName = "SeShutdownPrivilege";
}  // namespace power

// The system calls behind the power actions, one method per call with the call's own
// arguments. BOOL results come back as bool. A failed GetVersionExA leaves the record as
// it was; other outputs of a failed call are not to be relied on.
class PowerApi {
 public:
  virtual ~PowerApi() = default;

  // GetVersionExA
  virtual bool getVersionEx(OsVersionInfoA& info) = 0;
  // GetCurrentProcess: the pseudo handle of this process.
  virtual SysHandle getCurrentProcess() = 0;
  // OpenProcessToken
  virtual bool openProcessToken(SysHandle process, std::uint32_t desiredAccess,
                                SysHandle& token) = 0;
  // LookupPrivilegeValueA; an empty system name means the local system.
  virtual bool lookupPrivilegeValue(const std::string& systemName, const std::string& name,
                                    Luid& luid) = 0;
  // AdjustTokenPrivileges. `bufferLength` is the size of `previousState` in bytes;
  // `returnLength` goes in with the caller's value and comes back with the system's.
  virtual bool adjustTokenPrivileges(SysHandle token, bool disableAllPrivileges,
                                     const TokenPrivileges& newState, std::uint32_t bufferLength,
                                     TokenPrivileges& previousState,
                                     std::uint32_t& returnLength) = 0;
  // CloseHandle
  virtual bool closeHandle(SysHandle handle) = 0;
  // ExitWindowsEx
  virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
  // SetSystemPowerState: fSuspend nonzero suspends, zero hibernates; fForce nonzero forces.
  virtual bool setSystemPowerState(std::int32_t suspend, std::int32_t force) = 0;
  // SetThreadExecutionState: the previous state, 0 on failure.
  virtual std::uint32_t setThreadExecutionState(std::uint32_t flags) = 0;
  // Why the last ExitWindowsEx or SetSystemPowerState that failed did: GetLastError and the
  // system's text for it.
  virtual SysError lastError() = 0;

  // The one wake timer of the program. CreateWaitableTimerW on first use, then
  // SetWaitableTimer at `due` (local time) with fResume TRUE, so that a sleeping or
  // hibernating computer wakes for it; setting it again moves it.
  virtual bool setWakeTimer(std::chrono::local_seconds due) = 0;
  // CancelWaitableTimer of that timer; true when none was made yet.
  virtual bool cancelWakeTimer() = 0;
  // Whether the active power plan lets timers wake the computer on the present power source
  // ("Allow wake timers": PowerReadACValueIndex or PowerReadDCValueIndex); none when the
  // system cannot say.
  virtual std::optional<bool> wakeTimersAllowed() = 0;
};

}  // namespace quenmark
