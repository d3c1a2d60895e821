#include "core/schedule/wake_timer.h"

namespace quenmark {

std::optional<LocalMinute> nextDueMinute(const ScheduleList& list,
                                         std::optional<LocalMinute> also) {
  std::optional<LocalMinute> first = also;
  for (std::size_t i = 0; i < list.count(); ++i) {
    const std::optional<LocalMinute> at = list.nextRun(i);
    if (at && (!first || *at < *first)) first = at;
  }
  return first;
}

WakeTimer::~WakeTimer() { aim(std::nullopt); }

void WakeTimer::aim(std::optional<LocalMinute> due) {
  if (due == due_) return;
  // A timer the system refused is tried again at the next change.
  if (due) {
    due_ = power_.setWakeTimer(*due) ? due : std::nullopt;
  } else {
    power_.cancelWakeTimer();
    due_.reset();
  }
}

}  // namespace quenmark
