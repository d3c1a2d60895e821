#pragma once

#include <cstdint>
#include <optional>

#include "platform/message_hook.h"
#include "platform/power_api.h"
#include "platform/window_handle.h"

namespace quenmark {

inline constexpr std::uint32_t kWmPowerBroadcast = 0x218;
inline constexpr std::intptr_t kBroadcastQueryDeny = 0x424D5144;

// SetThreadExecutionState flags.
namespace es {
inline constexpr std::uint32_t kSystemRequired = 0x00000001;  // ES_SYSTEM_REQUIRED
inline constexpr std::uint32_t kContinuous = 0x80000000;      // ES_CONTINUOUS
}  // namespace es

// Refuses the system's requests to suspend while the user asks for it, by answering the main
// window's power broadcasts before the window sees them; also holds the system awake through
// the execution state, since Windows Vista and later no longer ask applications before
// sleeping.
class SuspendBlocker {
 public:
  // `window` is the main window's message hook; `power` is asked only for
  // SetThreadExecutionState.
  SuspendBlocker(MessageHook& window, PowerApi& power);
  ~SuspendBlocker();  // release()
  SuspendBlocker(const SuspendBlocker&) = delete;
  SuspendBlocker& operator=(const SuspendBlocker&) = delete;

  // The window the blocker serves (CPower.Initialize); before it is known nothing can be
  // installed.
  void setWindow(WindowHandle window) { window_ = window; }

  void DisableSuspend(bool SuspendDisabled);
  bool DisableSuspend() const { return suspendBlocked_; }
  // A second reason to block, apart from the user's switch: entries waiting for a condition
  // (a download to finish) must not be defeated by the computer falling asleep meanwhile.
  void KeepAwake(bool on);

  // Takes the blocker off the window and lets the system sleep again; the flag itself keeps
  // its value. Safe to call more than once.
  void release();

  // The blocker's answer to a message of the window: the refusal, or nothing, and the window
  // handles the message as usual.
  std::optional<std::intptr_t> SuspendBlockerProc(std::uint32_t message, std::uintptr_t wParam,
                                                  std::intptr_t lParam) const;

  bool installed() const { return installed_; }

 private:
  // Installs or removes the blocker and holds the system, as either reason asks.
  void follow();
  bool blocking() const { return suspendBlocked_ || keepAwake_; }
  void uninstall();
  void holdSystem(bool on);

  MessageHook& hook_;
  PowerApi& power_;
  WindowHandle window_ = 0;
  bool installed_ = false;
  bool suspendBlocked_ = false;
  bool keepAwake_ = false;
  bool holdingSystem_ = false;
};

}  // namespace quenmark
