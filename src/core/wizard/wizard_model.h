#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/regional.h"
#include "platform/text_codec.h"
#include "core/schedule/period.h"
#include "core/schedule/schedule_record.h"

// The schedule wizard (frmWizard) without its window: the schedule it edits, in schedule
// terms, and one function from that to what its controls show. The window copies control
// values into the model as the user changes them and shows what viewOf says.
namespace quenmark::wizard {

// The text of a message key, placeholders already replaced.
using MessageLookup = std::function<std::string(const std::string& key)>;

struct WizardModel {
  std::string name;            // txtName
  bool editing = false;        // an existing schedule: its name cannot change
  std::string action;          // cbShutdown: any text, so a hand-edited action shows as it is
  bool hasStart = false;       // chkScheduler: runs at a set date and time
  std::chrono::year_month_day date{};  // dtDate
  std::chrono::seconds time{0};        // dtTime, time of day
  bool repeat = false;                 // chkRepeat
  RepeatKind kind = RepeatKind::Daily;  // optRepeat
  DaySet weekDays;   // tvScheduleWeek
  DaySet monthDays;  // tvScheduleMonth
};

// Which controls are enabled and which day list shows.
struct WizardView {
  bool nameEnabled = true;
  bool pickersEnabled = false;  // dtDate, dtTime
  bool repeatEnabled = false;   // chkRepeat
  bool kindEnabled = false;     // the optRepeat buttons
  bool weekVisible = false;     // tvScheduleWeek
  bool monthVisible = false;    // tvScheduleMonth

  friend bool operator==(const WizardView&, const WizardView&) = default;
};

WizardView viewOf(const WizardModel& model);

// A new schedule: today at the next full hour (after 23:00 that is 00:00:00 of today), the
// first action offered, no start.
WizardModel newSchedule(std::chrono::local_seconds now, std::string firstAction);

// An existing schedule as its record reads. Its start, times and day lists go through the
// same readers as the scheduler's, so the wizard shows what fires. An enabled schedule
// without a start time shows the clock; a disabled one today at the current full hour.
WizardModel editSchedule(const ScheduleRecord& record, std::chrono::local_seconds now,
                         const RegionalFormats& formats);

// The record the model describes: LastRunTime empty, timing fields empty or zero without a
// start, the day list in its canonical form.
ScheduleRecord recordOf(const WizardModel& model, const RegionalFormats& formats);

// What cmdOK_Click needs besides the model.
struct OkInputs {
  std::vector<std::string> existingNames;  // the main list's item texts
  std::string programTitle;                // the title of every message box
  MessageLookup message;
  RegionalFormats formats;
  std::string programFolder;
};

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgButtons buttons = MsgButtons::Ok;
};

// What the window does after OK: show `message` if there is one; then, when `saved`, hand
// the saved `record` to the schedules and unload itself, otherwise stay open with the
// user's input.
struct OkResult {
  std::optional<MessageBoxRequest> message;
  bool saved = false;
  std::optional<ScheduleRecord> record;  // what was written, when saved
};

// Checks the name (a new one must be free in the list and in the data folder, letter case
// ignored as the file system ignores it), then writes the schedule file; nothing is written
// unless `saved`.
OkResult cmdOK_Click(const WizardModel& model, const OkInputs& in, FileSystem& fs,
                     const TextCodec& codec);

}  // namespace quenmark::wizard
