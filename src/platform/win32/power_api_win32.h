#pragma once

#include "platform/power_api.h"
#include "platform/win32/handles.h"

namespace quenmark::win32 {

// The real calls. Only the program itself uses this; tests use the recording fake.
class Win32PowerApi final : public PowerApi {
 public:
  bool getVersionEx(OsVersionInfoA& info) override;
  SysHandle getCurrentProcess() override;
  bool openProcessToken(SysHandle process, std::uint32_t desiredAccess, SysHandle& token) override;
  bool lookupPrivilegeValue(const std::string& systemName, const std::string& name,
                            Luid& luid) override;
  bool adjustTokenPrivileges(SysHandle token, bool disableAllPrivileges,
                             const TokenPrivileges& newState, std::uint32_t bufferLength,
                             TokenPrivileges& previousState, std::uint32_t& returnLength) override;
  bool closeHandle(SysHandle handle) override;
  bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  bool setSystemPowerState(std::int32_t suspend, std::int32_t force) override;
  std::uint32_t setThreadExecutionState(std::uint32_t flags) override;
  SysError lastError() override;
  bool setWakeTimer(std::chrono::local_seconds due) override;
  bool cancelWakeTimer() override;
  std::optional<bool> wakeTimersAllowed() override;

  // The wake timer, once made; closing it (with this object) cancels it.
  HANDLE wakeTimer() const { return wakeTimer_.get(); }

 private:
  UniqueHandle wakeTimer_;
  DWORD lastError_ = 0;  // of the last action call that failed
};

}  // namespace quenmark::win32
