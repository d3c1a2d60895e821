#pragma once

#include <optional>

#include "platform/power_api.h"
#include "core/schedule/next_run.h"
#include "core/schedule/schedule_list.h"

namespace quenmark {

// The earliest minute any entry of the list is due in, or `also` when that is earlier; none
// when nothing is due.
std::optional<LocalMinute> nextDueMinute(const ScheduleList& list,
                                         std::optional<LocalMinute> also = std::nullopt);

// Keeps the system's one wake timer at a minute: set, moved or cancelled only when the minute
// changes, and cancelled when this goes (the program ends).
class WakeTimer {
 public:
  explicit WakeTimer(PowerApi& power) : power_(power) {}
  ~WakeTimer();
  WakeTimer(const WakeTimer&) = delete;
  WakeTimer& operator=(const WakeTimer&) = delete;

  void aim(std::optional<LocalMinute> due);
  // The minute the timer is set to; none while it is not set.
  std::optional<LocalMinute> due() const { return due_; }

 private:
  PowerApi& power_;
  std::optional<LocalMinute> due_;
};

}  // namespace quenmark
