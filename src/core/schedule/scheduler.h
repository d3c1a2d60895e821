#pragma once

#include <array>
#include <cstdint>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/regional.h"
#include "core/events/program_events.h"
#include "core/conditions/condition.h"
#include "core/power/power_action.h"
#include "core/schedule/condition_entries.h"
#include "core/schedule/countdown.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/wake_timer.h"
#include "platform/timer_switch.h"

namespace quenmark {

// Performs a power action; the main window binds it to CPower::ShutDown. The failure the
// system reported, if the action could not be started.
using PowerRunner = std::function<Status(PowerAction action, bool force)>;
// A message text of the language catalogue, by key ("MSG_SURE").
using MessageLookup = std::function<std::string(const std::string& key)>;

// Performs the named action (names compared exactly) through `shutDown`; any other name
// does nothing. The action's failure, if any.
Status runAction(std::string_view ActionName, bool Force, const PowerRunner& shutDown);

// An item of the quick-schedule delay list and what it adds to the present moment: minutes,
// or one calendar month; "Now" adds nothing and acts at once; "When..." waits for a
// condition chosen in a window of its own.
struct QuickDelay {
  std::string_view item;
  std::chrono::minutes amount{0};
  bool calendarMonth = false;
  bool condition = false;
};

// The items of the quick-schedule delay list, in their order.
inline constexpr std::array<QuickDelay, 17> kQuickScheduleItems = {{
    {"Now"},
    {"In 1 Minute", std::chrono::minutes{1}},
    {"In 5 Minutes", std::chrono::minutes{5}},
    {"in 15 Minutes", std::chrono::minutes{15}},
    {"in 30 Minutes", std::chrono::minutes{30}},
    {"In 1 Hour", std::chrono::hours{1}},
    {"In 2 Hours", std::chrono::hours{2}},
    {"In 6 Hours", std::chrono::hours{6}},
    {"In 12 Hours", std::chrono::hours{12}},
    {"In 1 Day", std::chrono::days{1}},
    {"In 2 Days", std::chrono::days{2}},
    {"In 5 Days", std::chrono::days{5}},
    {"In 1 Week", std::chrono::weeks{1}},
    {"In 2 Weeks", std::chrono::weeks{2}},
    {"In 3 Weeks", std::chrono::weeks{3}},
    {"In 1 Month", {}, true},
    {"When...", {}, false, true},
}};

// The English texts of the delay list, the action lists and the list's "Enabled" column,
// which windows show translated (display_text.h).
std::vector<std::string_view> displayedCodes();
// Whether the delay item asks for a condition rather than a time.
bool opensCondition(std::string_view delayItem);

// `now` moved on by the named delay; nothing for "Now" and for texts not in the list. A
// month later keeps the day, or takes the last day of a shorter month.
std::optional<std::chrono::local_seconds> quickScheduleTime(std::string_view delayItem,
                                                            std::chrono::local_seconds now);

// What the engine is given by the main window.
struct SchedulerDeps {
  ScheduleList& list;               // lstSchedules
  TimerSwitch& tmrScheduler;        // scan
  TimerSwitch& tmrProcessSchedule;  // queue
  TimerSwitch& timSchedule;         // action
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  MessageLookup message;
  std::function<bool()> chkPrevent;  // whether "Prevent any schedules from running" is ticked
  PowerRunner shutDown;
  // Both off unless given: the machine settings "chkWake" (keep `wake` at the next due
  // minute) and "chkWarn" (a scheduled action first counts down in a window).
  std::function<bool()> chkWake{};
  WakeTimer* wake = nullptr;
  std::function<bool()> chkWarn{};
  // Opens the countdown window on the countdown that has just begun.
  std::function<void()> showCountdown{};
  // Where runs performed, failed, missed, skipped and put off are written; none: nowhere.
  ProgramEvents* events = nullptr;
  // The entries that wait for a condition; none: the engine has no such entries.
  ConditionEntries* conditions = nullptr;
};

// The scan, queue and action timers as one state machine. The window forwards each timer
// tick to its handler; where a queue pass once waited in a message loop for the action to
// be handled, the action tick now finishes that pass itself, in the same order.
class Scheduler {
 public:
  // Sets the timers up as the window starts: the scan running, queue and action idle.
  explicit Scheduler(SchedulerDeps deps);

  void tmrScheduler_Timer();
  void tmrProcessSchedule_Timer();
  void timSchedule_Timer();

  // The quick schedule that cmdGo_Click runs with the texts of cmbTime and cbShutdown: an
  // entry that fires after the delay, or, for "Now", the action at once once confirmed.
  // False when "Now" was cancelled.
  bool quickSchedule(const std::string& delayText, const std::string& actionName);
  // The action at once, forced, as a confirmed "Now" performs it.
  void actAtOnce(const std::string& actionName);
  // A quick entry that fires in the minute of `when` (none: never); returns its row.
  std::size_t addQuickEntry(const std::string& actionName,
                            std::optional<std::chrono::local_seconds> when);
  // A quick entry that waits for the condition instead of a time; when the condition holds,
  // its action always comes through the countdown.
  void whenCondition(const Condition& condition, const std::string& actionName);

  // A due run waiting in the queue: the entry and the minute it was due.
  struct QueuedRun {
    std::uint64_t id;
    LocalMinute due;
  };
  // The queue of due runs, head first.
  const std::deque<QueuedRun>& lstSchedule() const { return queue_; }
  // The queue head taken by the action tick has been handled.
  bool ScheduleDone() const { return scheduleDone_; }

  // The warned action waiting for its countdown; null when none is. The queue waits for it
  // as it waits for any action, while the scan goes on queueing what falls due.
  const ActionCountdown* countdown() const { return countdown_ ? &*countdown_ : nullptr; }
  // The user's answer: cancel this run (a repeating entry keeps its next run), run it again
  // in ten minutes, or act at once. The scan acts by itself when the countdown reaches zero.
  void answerCountdown(CountdownAnswer answer);

  // Aims the wake timer again: to be called when "chkWake" or "chkPrevent" changes. The scan
  // does it after every change of the list.
  void updateWakeTimer();

 private:
  // Moves entry `index` past `minute`: its file's next run after it, or an empty text for
  // entries that run once.
  void rearm(std::size_t index, LocalMinute minute);
  void enqueue(std::size_t index, LocalMinute due);
  // Performs the action and writes what came of it.
  void act(const RunFacts& run, PowerAction action);
  // Empties the queue: what waited behind a run is dropped, entries waiting for a condition
  // go back to waiting.
  void clearQueue();
  // A quick entry named after the present moment, for the action.
  ScheduleEntry quickEntry(const std::string& actionName) const;
  bool isCondition(std::uint64_t id) const { return d_.conditions && d_.conditions->contains(id); }
  void queuePostponed(LocalMinute minute);
  // The queue pass that handed over ends: more to do only if something is queued.
  void finishPass();

  // A run put off by "Postpone": the entry, its name should a reload have renumbered it,
  // the minute it is due again and the minute it was first due.
  struct Postponed {
    std::uint64_t id;
    std::string name;
    LocalMinute at;
    LocalMinute due;
  };

  SchedulerDeps d_;
  std::optional<ActionCountdown> countdown_;
  std::vector<Postponed> postponed_;
  // What the wake timer was last aimed from, so that a tick without a change costs nothing.
  std::optional<std::uint64_t> wakeRevision_;
  bool wakeWasOn_ = false;
  std::deque<QueuedRun> queue_;
  bool scheduleDone_ = true;
  bool handingOver_ = false;  // a queue pass waits for the action tick
};

}  // namespace quenmark
