#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

// What a "When..." entry waits for.
enum class ConditionKind { ProgramEnds, NoInput, ProcessorBelow, NetworkBelow, BatteryBelow };

// A condition and its numbers, as the user set them in the Condition window.
struct Condition {
  ConditionKind kind = ConditionKind::ProgramEnds;
  // ProgramEnds: a program picked from the running ones (its id and creation time), or, with
  // id 0, any program of that file name.
  std::uint32_t processId = 0;
  std::uint64_t processStarted = 0;
  std::string fileName{};
  // NoInput, ProcessorBelow, NetworkBelow: for how many minutes.
  int minutes = 10;
  // ProcessorBelow and BatteryBelow: percent; NetworkBelow: KB/s (in and out together).
  int limit = 5;
};

// The numbers the window accepts, from..to, both included.
struct NumberRange {
  int from;
  int to;
  bool contains(int n) const { return n >= from && n <= to; }
};
inline constexpr NumberRange kConditionMinutes{1, 1440};
inline constexpr NumberRange kPercentLimit{1, 100};
inline constexpr NumberRange kNetworkLimit{1, 1000000};

// The range of `limit` for the kind.
NumberRange limitRange(ConditionKind kind);
bool usesMinutes(ConditionKind kind);
bool usesLimit(ConditionKind kind);

// A typed program name as the system lists processes: the file part of a path, blanks
// trimmed, ".exe" added when it has no extension; "" when nothing is left.
std::string programFileName(std::string_view typed);

// Whether the condition can be waited for: a program named or picked, numbers in range.
bool validCondition(const Condition& c);

}  // namespace quenmark
