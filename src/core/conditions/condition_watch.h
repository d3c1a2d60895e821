#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/conditions/average_window.h"
#include "core/conditions/condition.h"
#include "platform/meters.h"

namespace quenmark {

// One sampling moment: each meter is read at most once, on first use, however many
// conditions ask for it, and not at all when none does.
class MeterSample {
 public:
  explicit MeterSample(Meters& meters) : meters_(meters), tick_(meters.tickCount()) {}

  std::uint64_t tick() const { return tick_; }
  Meters& meters() { return meters_; }
  const std::optional<std::uint64_t>& sinceLastInput();
  const std::optional<ProcessorTimes>& processorTimes();
  const std::optional<std::uint64_t>& networkOctets();
  const BatteryState& battery();
  // Ids and file names only.
  const std::vector<RunningProgram>& programs();

 private:
  Meters& meters_;
  std::uint64_t tick_;
  std::optional<std::optional<std::uint64_t>> sinceLastInput_;
  std::optional<std::optional<ProcessorTimes>> processorTimes_;
  std::optional<std::optional<std::uint64_t>> networkOctets_;
  std::optional<BatteryState> battery_;
  std::optional<std::vector<RunningProgram>> programs_;
};

// What a watched condition shows beside its entry.
struct ConditionStatus {
  bool holds = false;
  // ProgramEnds by file name: no program of that name has been seen running yet.
  bool notStarted = false;
  // The present value: processor percent, KB/s, battery percent, idle minutes.
  std::optional<int> present;
  // NoInput, ProcessorBelow, NetworkBelow: whole minutes the condition has held so far.
  int minutesSoFar = 0;
};

// A condition under watch: each sample moves it on, and it says whether it holds. The
// measured ones average over the user's window (AverageWindow); a program picked by id
// counts as ended when its id is gone or names a program started at another time.
class ConditionWatch {
 public:
  explicit ConditionWatch(Condition condition);

  // Takes one sample's readings; true when the condition holds after it.
  bool sample(MeterSample& s);
  bool holds() const { return status_.holds; }
  const ConditionStatus& status() const { return status_; }
  const Condition& condition() const { return condition_; }

 private:
  bool programEnded(MeterSample& s);
  bool namedProgramsEnded(MeterSample& s);
  // The present value (the last step's rate times `scale`) and how long the average has
  // stayed below `limit` amount per `per` base.
  void measured(double scale, std::uint64_t limit, std::uint64_t per);

  Condition condition_;
  ConditionStatus status_;
  std::optional<AverageWindow> average_;
  // ProgramEnds by name: the instances seen running, by id and creation time.
  std::vector<std::pair<std::uint32_t, std::uint64_t>> instances_;
  bool seen_ = false;
};

}  // namespace quenmark
