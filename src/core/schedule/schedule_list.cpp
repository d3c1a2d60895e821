#include "core/schedule/schedule_list.h"

#include <algorithm>
#include <utility>

namespace quenmark {

const std::string& ScheduleList::column(std::size_t index, int column) const {
  const ScheduleEntry& e = entries_[index];
  switch (column) {
    case kType:
      return e.type;
    case kLastRunTime:
      return e.lastRunTime;
    case kNextRunTime:
      return e.nextRunTime;
    case kEnabled:
      return e.enabled;
    default:
      return e.text;
  }
}

void ScheduleList::clear() {
  entries_.clear();
  due_.clear();
  changed({ListChange::Kind::Reset, 0});
}

std::uint64_t ScheduleList::add(ScheduleEntry entry, std::optional<LocalMinute> nextRun) {
  entry.id = ++lastId_;
  entries_.push_back(std::move(entry));
  due_.push_back(nextRun);
  changed({ListChange::Kind::Added, entries_.size() - 1});
  return lastId_;
}

std::uint64_t ScheduleList::put(ScheduleEntry entry, std::optional<LocalMinute> nextRun) {
  const std::size_t found = findSchedule(entry.text);
  if (found == 0) return add(std::move(entry), nextRun);
  const std::size_t index = found - 1;
  entry.id = entries_[index].id;
  entries_[index] = std::move(entry);
  due_[index] = nextRun;
  changed({ListChange::Kind::Updated, index});
  return entries_[index].id;
}

std::size_t ScheduleList::removeIf(const std::function<bool(const ScheduleEntry&)>& which) {
  std::optional<std::size_t> first;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (which(entries_[i])) {
      if (!first) first = i;
      continue;
    }
    if (kept != i) {
      entries_[kept] = std::move(entries_[i]);
      due_[kept] = due_[i];
    }
    ++kept;
  }
  const std::size_t gone = entries_.size() - kept;
  entries_.resize(kept);
  due_.resize(kept);
  if (first) changed({ListChange::Kind::Removed, *first});
  return gone;
}

void ScheduleList::setNextRun(std::size_t index, NextRun next) {
  entries_[index].nextRunTime = std::move(next.text);
  due_[index] = next.at;
  changed({ListChange::Kind::Updated, index});
}

void ScheduleList::setNextRunTime(std::size_t index, std::string text,
                                  const RegionalFormats& formats) {
  auto at = parseNextRunText(text, formats);
  setNextRun(index, {std::move(text), at});
}

std::size_t ScheduleList::findSchedule(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].text == name) return i + 1;
  }
  return 0;
}

std::optional<std::size_t> ScheduleList::indexOf(std::uint64_t id) const {
  // Ids grow with the rows, so the entry is found by halving.
  auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                             [](const ScheduleEntry& e, std::uint64_t v) { return e.id < v; });
  if (it == entries_.end() || it->id != id) return std::nullopt;
  return static_cast<std::size_t>(it - entries_.begin());
}

void ScheduleList::changed(ListChange change) {
  ++revision_;
  if (onChange_) onChange_(change);
}

ScheduleEntry entryOf(const ScheduleRecord& record, std::chrono::local_seconds now,
                      const RegionalFormats& formats, std::optional<LocalMinute>* nextRun) {
  ScheduleEntry e;
  e.text = record.Name;
  e.type = record.ItemType;
  e.lastRunTime = record.LastRunTime;
  e.enabled = record.Enabled ? kEnabledYes : kEnabledNo;
  e.action = powerActionNamed(record.ItemType);
  e.rule = ruleOf(record, formats);
  NextRun next;
  if (e.rule) next = nextRunAfter(*e.rule, now, formats);
  e.nextRunTime = std::move(next.text);
  if (nextRun) *nextRun = next.at;
  return e;
}

void loadScheduleList(ScheduleList& list, const std::vector<ScheduleRecord>& records,
                      std::chrono::local_seconds now, const RegionalFormats& formats) {
  list.clear();
  for (const ScheduleRecord& record : records) {
    std::optional<LocalMinute> at;
    ScheduleEntry e = entryOf(record, now, formats, &at);
    list.add(std::move(e), at);
  }
}

void loadScheduleList(ScheduleList& list, const FileSystem& fs, const TextCodec& codec,
                      const std::string& programFolder, std::chrono::local_seconds now,
                      const RegionalFormats& formats) {
  loadScheduleList(list, readScheduleRecords(fs, codec, programFolder), now, formats);
}

}  // namespace quenmark
