#include "core/schedule/condition_entries.h"

#include <utility>

namespace quenmark {

std::uint64_t ConditionEntries::add(ScheduleList& list, ScheduleEntry entry, Condition condition) {
  const bool wasEmpty = entries_.empty();
  const std::uint64_t id = list.add(std::move(entry), std::nullopt);
  const Entry& e = entries_.emplace(id, Entry{ConditionWatch(std::move(condition))}).first->second;
  if (const auto index = list.indexOf(id)) show(list, *index, e);
  emptinessMayHaveChanged(wasEmpty);
  return id;
}

std::vector<std::uint64_t> ConditionEntries::tick(ScheduleList& list, bool mayFire) {
  std::vector<std::uint64_t> holding;
  if (entries_.empty() || !meters_) return holding;
  const bool wasEmpty = false;
  // Entries taken out of the list meanwhile (a reload) stop being watched.
  std::erase_if(entries_, [&](const auto& e) { return !list.indexOf(e.first); });
  const std::uint64_t now = meters_->tickCount();
  if (!lastSample_ || now - *lastSample_ >= kSampleEveryMs) {
    lastSample_ = now;
    MeterSample sample(*meters_);
    for (auto& [id, e] : entries_) {
      e.watch.sample(sample);
      show(list, *list.indexOf(id), e);
    }
  }
  if (mayFire) {
    for (auto& [id, e] : entries_) {
      if (e.state != State::Waiting || !e.watch.holds()) continue;
      e.state = State::Fired;
      holding.push_back(id);
    }
  }
  emptinessMayHaveChanged(wasEmpty);
  return holding;
}

bool ConditionEntries::holds(std::uint64_t id) const {
  const auto e = entries_.find(id);
  return e != entries_.end() && e->second.watch.holds();
}

void ConditionEntries::setState(std::uint64_t id, State state) {
  if (const auto e = entries_.find(id); e != entries_.end()) e->second.state = state;
}

void ConditionEntries::remove(std::uint64_t id) {
  const bool wasEmpty = entries_.empty();
  entries_.erase(id);
  emptinessMayHaveChanged(wasEmpty);
}

void ConditionEntries::clear() {
  const bool wasEmpty = entries_.empty();
  entries_.clear();
  lastSample_.reset();
  emptinessMayHaveChanged(wasEmpty);
}

void ConditionEntries::show(ScheduleList& list, std::size_t index, const Entry& e) const {
  std::string text = describeCondition(e.watch.condition(), e.watch.status(), message_);
  // The list view redraws only for a new text.
  if (list.at(index).nextRunTime != text) list.setNextRun(index, {std::move(text), std::nullopt});
}

void ConditionEntries::emptinessMayHaveChanged(bool wasEmpty) {
  if (wasEmpty != entries_.empty() && onWaitingChanged_) onWaitingChanged_(!entries_.empty());
}

}  // namespace quenmark
