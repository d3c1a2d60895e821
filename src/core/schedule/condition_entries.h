#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "core/conditions/condition_text.h"
#include "core/conditions/condition_watch.h"
#include "core/schedule/schedule_list.h"
#include "platform/meters.h"

namespace quenmark {

// The quick entries that wait for a condition instead of a time ("When..."), each with its
// watch. Like every quick entry they live in the list, in memory, and go with a reload of
// it. The meters are sampled at most once a second whatever the scan's pace; while any
// entry is here its owner keeps the computer from sleeping.
class ConditionEntries {
 public:
  static constexpr std::uint64_t kSampleEveryMs = 1000;

  // No meters: nothing is ever sampled (an engine made without them).
  ConditionEntries(Meters* meters, ConditionMessages message)
      : meters_(meters), message_(std::move(message)) {}

  // Adds the entry to the list, waiting for the condition; its "Next Run Time" says what for.
  std::uint64_t add(ScheduleList& list, ScheduleEntry entry, Condition condition);

  bool contains(std::uint64_t id) const { return entries_.count(id) != 0; }
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

  // The scan's tick: samples when a second has passed, shows each entry's present state and
  // returns the waiting entries whose condition now holds, marked as fired. With `mayFire`
  // false ("Prevent any schedules from running") it only samples.
  std::vector<std::uint64_t> tick(ScheduleList& list, bool mayFire);

  // Whether the entry's condition held at the last sample.
  bool holds(std::uint64_t id) const;
  // The fired entry is queued (again) or counting down: it does not fire again meanwhile.
  void fired(std::uint64_t id) { setState(id, State::Fired); }
  // Put off by the countdown: it waits for the scan to bring it back.
  void postponed(std::uint64_t id) { setState(id, State::Postponed); }
  // Back to waiting: its run was dropped, or it came back and the condition no longer held.
  void wait(std::uint64_t id) { setState(id, State::Waiting); }
  // Done (acted, cancelled, or its entry has gone).
  void remove(std::uint64_t id);
  void clear();

  // Told whenever the set becomes empty or stops being empty.
  void setOnWaitingChanged(std::function<void(bool any)> f) { onWaitingChanged_ = std::move(f); }

 private:
  enum class State { Waiting, Fired, Postponed };
  struct Entry {
    ConditionWatch watch;
    State state = State::Waiting;
  };
  void setState(std::uint64_t id, State state);
  void show(ScheduleList& list, std::size_t index, const Entry& e) const;
  void emptinessMayHaveChanged(bool wasEmpty);

  Meters* meters_;
  ConditionMessages message_;
  std::map<std::uint64_t, Entry> entries_;
  std::optional<std::uint64_t> lastSample_;
  std::function<void(bool)> onWaitingChanged_;
};

}  // namespace quenmark
