#include "schedule/schedule_list.h"

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

void ScheduleList::add(ScheduleEntry entry, std::optional<LocalMinute> nextRun) {
  entries_.push_back(std::move(entry));
  due_.push_back(nextRun);
  changed({ListChange::Kind::Added, entries_.size() - 1});
}

void ScheduleList::setNextRun(std::size_t index, NextRun next) {
  entries_[index].nextRunTime = std::move(next.text);
  due_[index] = next.at;
  changed({ListChange::Kind::Updated, index});
}

void ScheduleList::setNextRunTime(std::size_t index, std::string text,
                                  std::string_view datePicture) {
  auto at = parseNextRunText(text, datePicture);
  setNextRun(index, {std::move(text), at});
}

std::size_t ScheduleList::findSchedule(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].text == name) return i + 1;
  }
  return 0;
}

void ScheduleList::changed(ListChange change) {
  ++revision_;
  if (onChange_) onChange_(change);
}

void loadScheduleList(ScheduleList& list, const std::vector<ScheduleFileEntry>& files,
                      std::chrono::local_seconds now, const RegionalFormats& formats) {
  list.clear();
  for (const ScheduleFileEntry& file : files) {
    ScheduleEntry e{file.name, file.itemType, file.lastRunTime, {}, file.enabled, {}};
    e.rule = readScheduleRule(file.schedulerBlock, formats.shortDate);
    NextRun next;
    if (e.rule) next = nextRunAfter(*e.rule, now, formats.shortDate);
    e.nextRunTime = std::move(next.text);
    list.add(std::move(e), next.at);
  }
}

void loadScheduleList(ScheduleList& list, const FileSystem& fs, const TextCodec& codec,
                      const std::string& programFolder, std::chrono::local_seconds now,
                      const RegionalFormats& formats) {
  loadScheduleList(list, readScheduleEntries(fs, codec, programFolder), now, formats);
}

}  // namespace quenmark
