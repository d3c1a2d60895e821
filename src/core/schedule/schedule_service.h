#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/events/program_events.h"
#include "core/conditions/condition.h"
#include "core/power/power.h"
#include "core/schedule/condition_entries.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/schedule_record.h"
#include "core/schedule/scheduler.h"
#include "core/schedule/wake_timer.h"
#include "core/settings/options.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/message_hook.h"
#include "platform/meters.h"
#include "platform/power_api.h"
#include "platform/regional.h"
#include "platform/text_codec.h"
#include "platform/timer_switch.h"
#include "platform/window_handle.h"

namespace quenmark {

// What the schedule service is made of.
struct ScheduleServiceDeps {
  FileSystem& fs;
  const TextCodec& codec;
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  PowerApi& power;
  Options& options;  // "chkWake" and "chkWarn", followed as they change; the policies
  std::string programFolder;
  MessageLookup message;  // the catalogue's texts ("MSG_SURE" before "Now")
  EventLog& eventLog;     // what was run, missed, skipped or changed
  Meters* meters = nullptr;  // what "When..." entries wait on; none: they never fire
};

// What the main window lends the engine while it is loaded: the three timers that drive it,
// and the window whose power broadcasts the suspend blocker answers.
struct EngineParts {
  TimerSwitch& tmrScheduler;
  TimerSwitch& tmrProcessSchedule;
  TimerSwitch& timSchedule;
  MessageHook& window;
  WindowHandle handle;
};

// The schedules of the running program: the list, the engine that fires them, the wake
// timer, the one CPower and its suspend blocker. The program makes it before any window;
// the main window, the tray icon and the countdown window are views of it. The engine runs
// from the main window's load (`start`) to its unload (`stop`).
class ScheduleService {
 public:
  explicit ScheduleService(ScheduleServiceDeps deps);
  ~ScheduleService();
  ScheduleService(const ScheduleService&) = delete;
  ScheduleService& operator=(const ScheduleService&) = delete;

  // Makes the engine on the window's timers, with "chkWake" and "chkWarn" as stored now and
  // the pause as a policy sets it; the list is read by the caller's `reload`, in its own
  // order of start-up (the first read after the start is logged as the program's start).
  void start(EngineParts parts);
  // Ends the engine, cancels the wake timer and releases CPower (the suspend blocker with it).
  void stop();
  bool started() const { return engine_ != nullptr; }

  ScheduleList& list() { return list_; }
  const ScheduleList& list() const { return list_; }
  // The names in the list, in its order.
  std::vector<std::string> names() const;
  // Reads every schedule file of the data folder into the list (quick entries go, those
  // waiting for a condition too).
  void reload();
  // A schedule just saved: its entry replaces the one of that name (a queued run of it
  // stays queued) or joins the list at its end, with its next run as of now. No other file
  // is read, so no other entry's next run moves.
  void saved(const ScheduleRecord& record, ChangeSource source = ChangeSource::Wizard);
  // Deletes the schedule's file (a quick entry has none; a file gone meanwhile is no
  // failure). The list is the caller's to reload. The failure that kept the file.
  Status deleteSchedule(const std::string& name, ChangeSource source);

  // The quick schedule: an entry that fires after the delay, or, for "Now", the action at
  // once once confirmed. False when "Now" was cancelled or the engine is not running.
  bool quickSchedule(const std::string& delayText, const std::string& actionName);
  // A quick entry of the action firing in the minute of `when`; its row, or nothing when
  // the engine is not running.
  std::optional<std::size_t> quickScheduleAt(PowerAction action, std::chrono::local_seconds when);
  // The action at once, forced and unasked, as a confirmed "Now" performs it; nothing while
  // the engine is not running.
  void actNow(PowerAction action);
  // Takes the quick entries out of the list (a countdown of one of them is cancelled).
  void cancelQuickEntries();
  // Takes the entry of a deleted schedule file out of the list, leaving the others (quick
  // entries included) as they are.
  void deleted(const std::string& name);

  // "Prevent any schedules from running": while set nothing fires. Where a policy sets it
  // (read at `start`), setPaused changes nothing.
  // A quick entry that waits for the condition ("When..."); once started. While any such
  // entry waits the computer is kept from falling asleep; when its condition holds, its
  // action comes through the countdown whatever "chkWarn" says.
  void whenCondition(const Condition& condition, const std::string& actionName);
  // The entries waiting for a condition.
  const ConditionEntries& conditions() const { return conditions_; }
  bool paused() const { return paused_; }
  void setPaused(bool on);
  bool pauseSetByPolicy() const { return pausedByPolicy_.has_value(); }
  // Told each change of the paused state, wherever it came from.
  void setOnPausedChange(std::function<void(bool)> onChange) {
    onPausedChange_ = std::move(onChange);
  }

  // The one CPower, made on first use once started; it goes at `stop`.
  CPower& power();
  // The engine while started; null otherwise.
  Scheduler* engine() const { return engine_.get(); }
  const ActionCountdown* countdown() const { return engine_ ? engine_->countdown() : nullptr; }
  void answerCountdown(CountdownAnswer answer);
  // Opens the countdown window on a countdown that has just begun.
  void setShowCountdown(std::function<void()> show) { showCountdown_ = std::move(show); }

 private:
  ScheduleServiceDeps d_;
  ScheduleList list_;
  ConditionEntries conditions_;
  std::unique_ptr<EngineParts> parts_;
  std::unique_ptr<WakeTimer> wake_;
  std::unique_ptr<Scheduler> engine_;
  std::unique_ptr<CPower> power_;
  std::function<void()> showCountdown_;
  ProgramEvents events_;
  std::optional<bool> pausedByPolicy_;
  bool announced_ = false;  // the start was logged; the end is logged once
  std::function<void(bool)> onPausedChange_;
  bool paused_ = false;
  bool chkWake_ = false;
  bool chkWarn_ = false;
};

}  // namespace quenmark
