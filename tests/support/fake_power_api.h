#pragma once

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/power_api.h"

namespace quenmark::testing {

// Records every power call with its arguments, in order, as one line each, for example
// "ExitWindowsEx(flags=5, reserved=0)". Nothing reaches the system. The reported platform
// id can be set, and any call can be told to fail by its Windows name.
class FakePowerApi : public PowerApi {
 public:
  static constexpr SysHandle kProcess = 0x70;     // what GetCurrentProcess returns
  static constexpr SysHandle kFirstToken = 0x80;  // tokens are numbered from here

  std::uint32_t platformId = power::kVerPlatformWin32Nt;
  Luid shutdownLuid{19, 0};  // what LookupPrivilegeValueA finds for any name

  // From now on the named call ("OpenProcessToken", "ExitWindowsEx", ...) returns failure.
  void fail(const std::string& function) { failing_.insert(function); }

  const std::vector<std::string>& calls() const { return calls_; }
  // Handles opened and not yet closed.
  const std::set<SysHandle>& openHandles() const { return open_; }

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
  // What a failed call reports; by default the refusal of an account without the right.
  SysError lastError() override { return error; }
  SysError error{1314, "A required privilege is not held by the client."};
  bool setWakeTimer(std::chrono::local_seconds due) override;
  bool cancelWakeTimer() override;
  std::optional<bool> wakeTimersAllowed() override { return wakeAllowed; }

  // Where the wake timer stands: none while it is not set or was cancelled.
  std::optional<std::chrono::local_seconds> wakeDue() const { return wakeDue_; }
  // How often it was set, so that a test sees it is not set again without a change.
  int wakeSets() const { return wakeSets_; }
  std::optional<bool> wakeAllowed = true;  // what the power plan says

 private:
  bool record(const std::string& function, const std::string& arguments);

  std::vector<std::string> calls_;
  std::set<std::string> failing_;
  std::set<SysHandle> open_;
  SysHandle nextToken_ = kFirstToken;
  static constexpr std::uint32_t kEsContinuous = 0x80000000;
  std::uint32_t executionState_ = kEsContinuous;  // what a fresh thread reports
  std::optional<std::chrono::local_seconds> wakeDue_;
  int wakeSets_ = 0;
};

}  // namespace quenmark::testing
