#include "core/power/power.h"

namespace quenmark {
namespace modPower {

bool IsWinNT(PowerApi& api) {
  OsVersionInfoA info;
  info.dwOSVersionInfoSize = sizeof(OsVersionInfoA);
  api.getVersionEx(info);  // on failure the platform id stays 0
  return info.dwPlatformId == power::kVerPlatformWin32Nt;
}

void EnableShutdownPrivilege(PowerApi& api) {
  SysHandle token = 0;
  const bool opened = api.openProcessToken(
      api.getCurrentProcess(), power::kTokenAdjustPrivileges | power::kTokenQuery, token);
  Luid luid;
  api.lookupPrivilegeValue("", power::kSeShutdownName, luid);

  TokenPrivileges newState;
  newState.PrivilegeCount = 1;
  newState.Privileges[0].Luid = luid;
  newState.Privileges[0].Attributes = power::kSePrivilegeEnabled;
  TokenPrivileges previousState;
  // The returned length starts at the size of the still empty previous-state record.
  std::uint32_t returnLength = 4 + 12 * previousState.PrivilegeCount;
  api.adjustTokenPrivileges(opened ? token : 0, false, newState, sizeof(TokenPrivileges),
                            previousState, returnLength);
  // The privilege stays enabled for the life of the process; the token is not needed.
  if (opened) api.closeHandle(token);
}

Status ExitWindowsAction(PowerApi& api, std::int32_t Code, bool Force) {
  // Unsigned arithmetic: a code near the top of the range wraps instead of overflowing.
  std::uint32_t flags = static_cast<std::uint32_t>(Code);
  if (Force) flags += power::kEwxForce;
  if (IsWinNT(api)) EnableShutdownPrivilege(api);
  if (api.exitWindowsEx(flags, 0)) return std::nullopt;
  return api.lastError();
}

Status PowerStateAction(PowerApi& api, std::int16_t Suspend, bool Force) {
  if (IsWinNT(api)) EnableShutdownPrivilege(api);
  if (api.setSystemPowerState(Suspend, Force ? 1 : 0)) return std::nullopt;
  return api.lastError();
}

bool HibernateAvailable(const FileSystem& fs) {
  return !fs.find("c:\\hiberfil.sys", attr::kReadOnly | attr::kHidden | attr::kSystem).empty();
}

}  // namespace modPower

Status CPower::ShutDown(int ShutDownType, bool Force) {
  if (ShutDownType == powerActionCode(PowerAction::Hibernate) ||
      ShutDownType == powerActionCode(PowerAction::StandBy)) {
    return modPower::PowerStateAction(api_, static_cast<std::int16_t>(ShutDownType - 5), Force);
  }
  return modPower::ExitWindowsAction(api_, ShutDownType, Force);
}

}  // namespace quenmark
