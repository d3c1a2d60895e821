#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "schedule/schedule_record.h"

// The schedule wizard (frmWizard) without its window: the controls as plain values and the
// window's handlers as functions over them. The window copies the controls into a
// WizardState, calls the handler and shows the state it gets back.
namespace quenmark::wizard {

// The text of a message key, placeholders already replaced.
using MessageLookup = std::function<std::string(const std::string& key)>;
// A date in the user's short date form; nothing when the text is not a date.
using DateParser = std::function<std::optional<std::chrono::year_month_day>(const std::string&)>;
using DateFormatter = std::function<std::string(std::chrono::year_month_day)>;

struct TextBox {
  std::string text;
  bool enabled = true;
};

struct ComboBox {
  std::vector<std::string> items;
  std::string text;
};

struct CheckBox {
  bool value = false;
  bool enabled = true;
};

// optRepeat: 0 "Daily", 1 "Weekly", 2 "Monthly".
struct OptionArray {
  std::array<bool, 3> values{true, false, false};
  bool enabled = false;
};

struct DatePicker {
  std::chrono::year_month_day value{};
  bool enabled = true;
};

// 24-hour clock.
struct TimePicker {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  bool enabled = true;
};

struct TreeNode {
  std::string key;  // weekdays only: what the weekly day list stores
  std::string text;
  bool checked = false;
};

// Nodes in display order; node index n (as the handlers count) is nodes[n - 1].
struct TreeView {
  std::vector<TreeNode> nodes;
  bool visible = false;
};

// The controls the wizard's logic reads and sets. A default-constructed state is the
// window as created, before Form_Load.
struct WizardState {
  std::string caption;
  TextBox txtName;
  ComboBox cbShutdown;
  CheckBox chkScheduler;
  DatePicker dtDate;
  TimePicker dtTime;
  CheckBox chkRepeat{false, false};
  OptionArray optRepeat;
  TreeView tvScheduleWeek;
  TreeView tvScheduleMonth;
};

// What Form_Load needs from the main window and the rest of the program.
struct LoadInputs {
  std::chrono::local_seconds now;
  bool hibernateAvailable = false;
  bool editMode = false;
  MessageLookup message;
  DateParser parseDate;
  DateFormatter formatDate;
};

// Form_Load without translation and skinning, which the window does around it. In edit
// mode it applies `currentSchedule` and may set its StartTime (an enabled schedule with an
// empty StartTime gets the current date and time).
void Form_Load(WizardState& state, const LoadInputs& in, ScheduleRecord& currentSchedule);

// The handlers that keep the dependent controls in step. The window calls them after the
// user changed the value, or uses the setters below, which change a value from code and run
// the handler as a click would.
void chkScheduler_Click(WizardState& state);
void chkRepeat_Click(WizardState& state);
void optRepeat_Click(WizardState& state, int index);
// Flips the checked state of day `node` (1 to 31); other numbers are ignored.
void tvScheduleMonth_NodeClick(WizardState& state, int node);

// Run the handler only when the value changes, as a check box does.
void setSchedulerChecked(WizardState& state, bool on);
void setRepeatChecked(WizardState& state, bool on);
// Selects one option button (clearing the others) and runs its handler; other indexes are
// ignored.
void selectRepeat(WizardState& state, int index);

// What cmdOK_Click needs besides the controls.
struct OkInputs {
  bool editMode = false;
  std::vector<std::string> existingNames;  // the main list's item texts
  std::string programTitle;                // the title of every message box
  MessageLookup message;
  DateFormatter formatDate;
  std::string programFolder;
};

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgButtons buttons = MsgButtons::Ok;
};

// What the window does after OK: show `message` if there is one; then, when `saved`,
// reload the main list and unload itself, otherwise stay open with the user's input.
struct OkResult {
  std::optional<MessageBoxRequest> message;
  bool saved = false;
};

// The record the controls describe (Name as typed, LastRunTime empty, timing fields empty
// or zero when chkScheduler is clear).
ScheduleRecord buildRecord(const WizardState& state, const DateFormatter& formatDate);

// Checks the name, then writes the schedule file; nothing is written unless `saved`.
OkResult cmdOK_Click(const WizardState& state, const OkInputs& in, FileSystem& fs,
                     const TextCodec& codec);

}  // namespace quenmark::wizard
