#include "core/power/suspend_blocker.h"

namespace quenmark {

SuspendBlocker::SuspendBlocker(MessageHook& window, PowerApi& power)
    : hook_(window), power_(power) {}

SuspendBlocker::~SuspendBlocker() { release(); }

void SuspendBlocker::DisableSuspend(bool SuspendDisabled) {
  suspendBlocked_ = SuspendDisabled;
  follow();
}

void SuspendBlocker::KeepAwake(bool on) {
  keepAwake_ = on;
  follow();
}

void SuspendBlocker::follow() {
  const bool on = blocking();
  if (on && !installed_ && window_ != 0) {
    installed_ = hook_.hookMessage(kWmPowerBroadcast, [this](std::uintptr_t w, std::intptr_t l) {
      return SuspendBlockerProc(kWmPowerBroadcast, w, l);
    });
  } else if (!on) {
    uninstall();
  }
  holdSystem(on);
}

void SuspendBlocker::release() {
  uninstall();
  holdSystem(false);
}

void SuspendBlocker::uninstall() {
  if (!installed_) return;
  hook_.unhookMessage(kWmPowerBroadcast);
  installed_ = false;
}

std::optional<std::intptr_t> SuspendBlocker::SuspendBlockerProc(std::uint32_t message,
                                                                std::uintptr_t,
                                                                std::intptr_t lParam) const {
  // The test is on lParam, whatever the event in wParam: a query that lets the application
  // ask the user (bit 0 set) is passed on.
  if (message == kWmPowerBroadcast && lParam == 0 && blocking()) return kBroadcastQueryDeny;
  return std::nullopt;
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
