#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/power/power_action.h"

namespace quenmark {

// How long a warned action waits, and how far "Postpone" moves it.
inline constexpr std::chrono::seconds kCountdownLength{30};
inline constexpr std::chrono::minutes kPostponeBy{10};

// What the user answers the countdown window.
enum class CountdownAnswer { Cancel, Postpone, ActNow };

// The countdown window's button of each answer (the close box and Escape answer Cancel).
constexpr std::string_view countdownButton(CountdownAnswer answer) {
  switch (answer) {
    case CountdownAnswer::Cancel:
      return "Cancel";
    case CountdownAnswer::Postpone:
      return "Postpone 10 minutes";
    case CountdownAnswer::ActNow:
      return "Do it now";
  }
  return "";
}

// A scheduled action waiting for its countdown to end.
struct ActionCountdown {
  std::uint64_t id = 0;       // the list entry that fired
  std::string scheduleName;   // its text
  std::string actionName;     // its "Type"
  PowerAction action = PowerAction::ShutDown;
  std::chrono::local_seconds started{};
  std::chrono::local_time<std::chrono::minutes> due{};  // the minute the run was due

  // Whole seconds left at `now`, from 30 down to 0. A clock put back before the start counts
  // as the start: the user still gets the whole time.
  int secondsLeft(std::chrono::local_seconds now) const {
    const auto gone = now < started ? std::chrono::seconds{0} : now - started;
    return gone >= kCountdownLength ? 0 : static_cast<int>((kCountdownLength - gone).count());
  }
};

}  // namespace quenmark
