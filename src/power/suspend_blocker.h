#pragma once

#include <cstdint>

#include "platform/power_api.h"
#include "platform/window_handle.h"

namespace quenmark {

class SuspendBlocker;

// An opaque stand-in for WNDPROC, so that the blocker's logic stays portable.
using WindowProcAddress = std::intptr_t;

inline constexpr std::uint32_t kWmPowerBroadcast = 0x218;
inline constexpr std::intptr_t kBroadcastQueryDeny = 0x424D5144;

// SetThreadExecutionState flags.
namespace es {
inline constexpr std::uint32_t kSystemRequired = 0x00000001;  // ES_SYSTEM_REQUIRED
inline constexpr std::uint32_t kContinuous = 0x80000000;      // ES_CONTINUOUS
}  // namespace es

// Replacing a window's procedure (SetWindowLongPtrW with GWLP_WNDPROC) and handing messages
// on to the replaced one (CallWindowProcW).
class WindowProcSeam {
 public:
  virtual ~WindowProcSeam() = default;
  // Puts the blocker's own procedure on `window`, routing its messages to `blocker`, and
  // returns the procedure it replaced; 0 when the call failed (no such window).
  virtual WindowProcAddress install(WindowHandle window, SuspendBlocker& blocker) = 0;
  // Puts `previous` back as the window's procedure.
  virtual void restore(WindowHandle window, WindowProcAddress previous) = 0;
  virtual std::intptr_t callPrevious(WindowProcAddress previous, WindowHandle window,
                                     std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
};

// Refuses the system's requests to suspend while the user asks for it, by taking over the
// main window's procedure; also holds the system awake through the execution state, since
// Windows Vista and later no longer ask applications before sleeping.
class SuspendBlocker {
 public:
  // `power` is asked only for SetThreadExecutionState.
  SuspendBlocker(WindowProcSeam& procs, PowerApi& power);
  ~SuspendBlocker();  // release()
  SuspendBlocker(const SuspendBlocker&) = delete;
  SuspendBlocker& operator=(const SuspendBlocker&) = delete;

  // The window whose procedure the blocker replaces (CPower.Initialize).
  void setWindow(WindowHandle window) { window_ = window; }

  void DisableSuspend(bool SuspendDisabled);
  bool DisableSuspend() const { return suspendBlocked_; }

  // Gives the window its own procedure back and lets the system sleep again; the flag
  // itself keeps its value. Safe to call more than once.
  void release();

  // The body of SuspendBlockerProc: the installed window procedure.
  std::intptr_t SuspendBlockerProc(WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam);

  bool installed() const { return savedWindowProc_ != 0; }

 private:
  void holdSystem(bool on);

  WindowProcSeam& procs_;
  PowerApi& power_;
  WindowHandle window_ = 0;
  // The window the procedure was installed on: restoring must go there even if the
  // window handle was changed since.
  WindowHandle installedWindow_ = 0;
  WindowProcAddress savedWindowProc_ = 0;
  bool suspendBlocked_ = false;
  bool holdingSystem_ = false;
};

}  // namespace quenmark
