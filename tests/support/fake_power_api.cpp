#include "support/fake_power_api.h"

#include <cstdio>

namespace quenmark::testing {
namespace {

std::string hex(std::uint64_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(v));
  return buf;
}

std::string num(std::int64_t v) { return std::to_string(v); }

}  // namespace

bool FakePowerApi::record(const std::string& function, const std::string& arguments) {
  calls_.push_back(function + "(" + arguments + ")");
  return failing_.count(function) == 0;
}

bool FakePowerApi::getVersionEx(OsVersionInfoA& info) {
  if (!record("GetVersionExA", "size=" + num(info.dwOSVersionInfoSize))) return false;
  info.dwMajorVersion = 6;
  info.dwMinorVersion = 1;
  info.dwBuildNumber = 7601;
  info.dwPlatformId = platformId;
  return true;
}

SysHandle FakePowerApi::getCurrentProcess() {
  record("GetCurrentProcess", "");
  return kProcess;
}

bool FakePowerApi::openProcessToken(SysHandle process, std::uint32_t desiredAccess,
                                    SysHandle& token) {
  if (!record("OpenProcessToken", "process=" + hex(process) + ", access=" + hex(desiredAccess)))
    return false;
  token = nextToken_++;
  open_.insert(token);
  return true;
}

bool FakePowerApi::lookupPrivilegeValue(const std::string& systemName, const std::string& name,
                                        Luid& luid) {
  if (!record("LookupPrivilegeValueA", "system=\"" + systemName + "\", name=\"" + name + "\""))
    return false;
  luid = shutdownLuid;
  return true;
}

bool FakePowerApi::adjustTokenPrivileges(SysHandle token, bool disableAllPrivileges,
                                         const TokenPrivileges& newState,
                                         std::uint32_t bufferLength, TokenPrivileges& previousState,
                                         std::uint32_t& returnLength) {
  const auto& p = newState.Privileges[0];
  if (!record("AdjustTokenPrivileges",
              "token=" + hex(token) + ", disableAll=" + num(disableAllPrivileges) +
                  ", count=" + num(newState.PrivilegeCount) + ", luid=" + num(p.Luid.LowPart) +
                  ":" + num(p.Luid.HighPart) + ", attributes=" + num(p.Attributes) +
                  ", bufferLength=" + num(bufferLength) + ", returnLength=" + num(returnLength)))
    return false;
  if (open_.count(token) == 0) return false;  // not a token of ours: ERROR_INVALID_HANDLE
  previousState.PrivilegeCount = 1;
  previousState.Privileges[0].Luid = p.Luid;
  previousState.Privileges[0].Attributes = 0;
  returnLength = 16;
  return true;
}

bool FakePowerApi::closeHandle(SysHandle handle) {
  if (!record("CloseHandle", hex(handle))) return false;
  return open_.erase(handle) == 1;
}

bool FakePowerApi::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return record("ExitWindowsEx", "flags=" + num(flags) + ", reserved=" + num(reserved));
}

bool FakePowerApi::setSystemPowerState(std::int32_t suspend, std::int32_t force) {
  return record("SetSystemPowerState", "suspend=" + num(suspend) + ", force=" + num(force));
}

std::uint32_t FakePowerApi::setThreadExecutionState(std::uint32_t flags) {
  if (!record("SetThreadExecutionState", "flags=" + hex(flags))) return 0;
  const std::uint32_t previous = executionState_;
  // Without ES_CONTINUOUS the call is a one-off reset and the state stays as it was.
  if (flags & kEsContinuous) executionState_ = flags;
  return previous;
}

bool FakePowerApi::setWakeTimer(std::chrono::local_seconds due) {
  const auto since = due.time_since_epoch().count();
  if (!record("SetWaitableTimer", "due=" + num(since) + ", resume=1")) return false;
  wakeDue_ = due;
  ++wakeSets_;
  return true;
}

bool FakePowerApi::cancelWakeTimer() {
  if (!record("CancelWaitableTimer", "")) return false;
  wakeDue_.reset();
  return true;
}

}  // namespace quenmark::testing
