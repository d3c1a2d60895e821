#pragma once

#include <cstdint>

#include "power/execution_state.h"

namespace quenmark {

class SuspendBlocker;

// Opaque stand-ins for HWND and WNDPROC, so that the blocker's logic stays portable.
using WindowHandle = void*;
using WindowProcAddress = std::intptr_t;

inline constexpr std::uint32_t kWmPowerBroadcast = 0x218;
inline constexpr std::intptr_t kBroadcastQueryDeny = 0x424D5144;

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
  SuspendBlocker(WindowProcSeam& procs, ExecutionState& executionState);
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
  ExecutionState& executionState_;
  WindowHandle window_ = nullptr;
  // The window the procedure was installed on: restoring must go there even if the
  // window handle was changed since.
  WindowHandle installedWindow_ = nullptr;
  WindowProcAddress savedWindowProc_ = 0;
  bool suspendBlocked_ = false;
  bool holdingSystem_ = false;
};

}  // namespace quenmark
