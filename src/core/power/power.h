#pragma once

#include <cstdint>

#include "platform/file_system.h"
#include "platform/power_api.h"
#include "core/power/power_action.h"
#include "core/power/suspend_blocker.h"

namespace quenmark {

// The routines behind CPower. Of the Windows calls only the action's own is looked at: an
// action the system refuses does not happen, and the refusal is handed back for the log.
namespace modPower {

// True when GetVersionExA reports the NT platform (id 2); false on 95/98/Me and when the
// call fails. Asked again on every action.
bool IsWinNT(PowerApi& api);

// Enables SeShutdownPrivilege in the process token, and closes the token again.
void EnableShutdownPrivilege(PowerApi& api);

// Log off, shut down or reboot: ExitWindowsEx with Code as its flags, plus EWX_FORCE.
Status ExitWindowsAction(PowerApi& api, std::int32_t Code, bool Force);

// SetSystemPowerState: Suspend 0 hibernates, 1 stands by.
Status PowerStateAction(PowerApi& api, std::int16_t Suspend, bool Force);

// Whether "c:\hiberfil.sys" exists, hidden and system files included. The drive is
// always c:, whatever the Windows drive.
bool HibernateAvailable(const FileSystem& fs);

}  // namespace modPower

// Performs the power actions and carries the suspend blocker, which shares its window. The
// main window holds one for its whole life; releasing it ends the blocker.
class CPower {
 public:
  // `window` is the main window's message hook, where the suspend blocker listens.
  CPower(PowerApi& api, MessageHook& window) : api_(api), blocker_(window, api) {}
  CPower(const CPower&) = delete;
  CPower& operator=(const CPower&) = delete;
  // The blocker's release: the window handles its power broadcasts again, the system may
  // sleep.
  virtual ~CPower() = default;

  // Turns the suspend blocker on or off.
  void DisableSuspend(bool SuspendDisabled) { blocker_.DisableSuspend(SuspendDisabled); }
  bool DisableSuspend() const { return blocker_.DisableSuspend(); }
  // Blocks suspending as DisableSuspend does, for entries waiting for a condition, whatever
  // the user's switch says.
  void KeepAwake(bool on) { blocker_.KeepAwake(on); }

  // Remembers the main window, whose power broadcasts the suspend blocker answers; the
  // actions themselves do not need it.
  void Initialize(WindowHandle hwnd) {
    hwnd_ = hwnd;
    blocker_.setWindow(hwnd);
  }

  // The action of a PowerAction code: 5 hibernates, 6 stands by, any other code goes to
  // ExitWindowsEx as its flags. Force skips asking the other applications. The system's
  // refusal, when it would not start the action.
  Status ShutDown(int ShutDownType, bool Force);

  WindowHandle hwnd() const { return hwnd_; }
  const SuspendBlocker& suspendBlocker() const { return blocker_; }

 protected:
  PowerApi& api() { return api_; }

 private:
  PowerApi& api_;
  SuspendBlocker blocker_;
  WindowHandle hwnd_ = 0;
};

}  // namespace quenmark
