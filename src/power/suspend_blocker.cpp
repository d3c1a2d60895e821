#include "power/suspend_blocker.h"

namespace quenmark {

SuspendBlocker::SuspendBlocker(WindowProcSeam& procs, PowerApi& power)
    : procs_(procs), power_(power) {}

SuspendBlocker::~SuspendBlocker() { release(); }

void SuspendBlocker::DisableSuspend(bool SuspendDisabled) {
  suspendBlocked_ = SuspendDisabled;
  if (SuspendDisabled && savedWindowProc_ == 0) {
    savedWindowProc_ = procs_.install(window_, *this);
    if (savedWindowProc_ != 0) installedWindow_ = window_;
  } else if (!SuspendDisabled && savedWindowProc_ != 0) {
    procs_.restore(installedWindow_, savedWindowProc_);
    savedWindowProc_ = 0;
    installedWindow_ = 0;
  }
  holdSystem(SuspendDisabled);
}

void SuspendBlocker::release() {
  if (savedWindowProc_ != 0) {
    procs_.restore(installedWindow_, savedWindowProc_);
    savedWindowProc_ = 0;
    installedWindow_ = 0;
  }
  holdSystem(false);
}

std::intptr_t SuspendBlocker::SuspendBlockerProc(WindowHandle window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
  // The test is on lParam, whatever the event in wParam: a query that lets the application
  // ask the user (bit 0 set) is passed on.
  if (message == kWmPowerBroadcast && lParam == 0 && suspendBlocked_) return kBroadcastQueryDeny;
  return procs_.callPrevious(savedWindowProc_, window, message, wParam, lParam);
}

void SuspendBlocker::holdSystem(bool on) {
  if (on == holdingSystem_) return;
  if (on) {
    // A refused request is asked again at the next set rather than taken as held.
    holdingSystem_ = power_.setThreadExecutionState(es::kContinuous | es::kSystemRequired) != 0;
  } else {
    power_.setThreadExecutionState(es::kContinuous);
    holdingSystem_ = false;
  }
}

}  // namespace quenmark
