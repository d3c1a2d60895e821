#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/regional.h"
#include "platform/text_codec.h"
#include "core/power/power_action.h"
#include "core/schedule/next_run.h"
#include "core/schedule/schedule_file.h"

namespace quenmark {

// The "Enabled" column's two texts.
inline constexpr std::string_view kEnabledYes = "Yes";
inline constexpr std::string_view kEnabledNo = "No";

// One row of the schedule list.
struct ScheduleEntry {
  // Given by the list when the entry is added and never reused, so that the queue can tell
  // apart two entries of the same name (two quick entries made in one second).
  std::uint64_t id = 0;
  std::string text{};         // the schedule name
  std::string type{};         // "Type": the action name
  std::string lastRunTime{};  // "Last Run Time"
  std::string nextRunTime{};  // "Next Run Time": the next-run text
  std::string enabled{};      // "Enabled": kEnabledYes or kEnabledNo
  std::optional<PowerAction> action{};  // what `type` names; none for any other text
  // The rule of the entry's file, kept to re-arm it after a run; none for quick entries
  // and for files without a readable start.
  std::optional<ScheduleRule> rule{};
  bool quick = false;  // made by the quick schedule: it has no file
};

// What changed, so that a virtual list view can resize or redraw just that row.
struct ListChange {
  enum class Kind { Reset, Added, Updated, Removed } kind;
  std::size_t index;  // the row for Added and Updated; the first row gone for Removed
};

// The rows the main window shows and the engine works on. Besides the texts it keeps the
// minute each next-run text names, so that the scan compares numbers, not dates as text.
class ScheduleList {
 public:
  // Column numbers as the list view counts them; 0 is the entry text.
  enum Column { kName = 0, kType = 1, kLastRunTime = 2, kNextRunTime = 3, kEnabled = 4 };

  std::size_t count() const { return entries_.size(); }
  const ScheduleEntry& at(std::size_t index) const { return entries_[index]; }
  const std::string& column(std::size_t index, int column) const;
  // The minute the entry fires in; none when its next-run text is empty or unreadable.
  std::optional<LocalMinute> nextRun(std::size_t index) const { return due_[index]; }

  void clear();
  // Adds the entry under a new id, which it returns.
  std::uint64_t add(ScheduleEntry entry, std::optional<LocalMinute> nextRun);
  // Replaces the first entry of the same text, keeping its id, or adds the entry.
  std::uint64_t put(ScheduleEntry entry, std::optional<LocalMinute> nextRun);
  // Takes out every entry `which` picks; the others keep their ids and their order. Returns
  // how many went.
  std::size_t removeIf(const std::function<bool(const ScheduleEntry&)>& which);
  void setNextRun(std::size_t index, NextRun next);
  // A next-run text from elsewhere; the minute is read from it with the regional formats.
  void setNextRunTime(std::size_t index, std::string text, const RegionalFormats& formats);

  // The 1-based index of the first entry whose text is exactly `name`; 0 when none is.
  std::size_t findSchedule(std::string_view name) const;
  // The index of the entry with that id, while it is in the list.
  std::optional<std::size_t> indexOf(std::uint64_t id) const;

  // Grows by one with every change.
  std::uint64_t revision() const { return revision_; }
  void setOnChange(std::function<void(const ListChange&)> onChange) {
    onChange_ = std::move(onChange);
  }

 private:
  void changed(ListChange change);

  std::vector<ScheduleEntry> entries_;
  std::vector<std::optional<LocalMinute>> due_;  // beside the entries: the scan reads only this
  std::uint64_t revision_ = 0;
  std::uint64_t lastId_ = 0;
  std::function<void(const ListChange&)> onChange_;
};

// The entry a schedule file's record makes, with its next run as of `now`.
ScheduleEntry entryOf(const ScheduleRecord& record, std::chrono::local_seconds now,
                      const RegionalFormats& formats, std::optional<LocalMinute>* nextRun);

// Replaces the list by the given records, in their order, each with its next run as of `now`.
void loadScheduleList(ScheduleList& list, const std::vector<ScheduleRecord>& records,
                      std::chrono::local_seconds now, const RegionalFormats& formats);

// The same from the data folder of the program.
void loadScheduleList(ScheduleList& list, const FileSystem& fs, const TextCodec& codec,
                      const std::string& programFolder, std::chrono::local_seconds now,
                      const RegionalFormats& formats);

}  // namespace quenmark
