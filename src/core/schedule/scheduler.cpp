#include "core/schedule/scheduler.h"

#include <algorithm>
#include <utility>

#include "base/timer_intervals.h"
#include "core/schedule/regional_time.h"

namespace quenmark {

using namespace std::chrono;

Status runAction(std::string_view ActionName, bool Force, const PowerRunner& shutDown) {
  if (auto action = powerActionNamed(ActionName); action && shutDown) {
    return shutDown(*action, Force);
  }
  return std::nullopt;
}

std::vector<std::string_view> displayedCodes() {
  std::vector<std::string_view> codes;
  for (const QuickDelay& d : kQuickScheduleItems) codes.push_back(d.item);
  for (const PowerActionInfo& a : kPowerActions) codes.push_back(a.name);
  codes.push_back(kEnabledYes);
  codes.push_back(kEnabledNo);
  return codes;
}

namespace {

const QuickDelay* quickDelay(std::string_view item) {
  const auto d = std::find_if(kQuickScheduleItems.begin(), kQuickScheduleItems.end(),
                              [&](const QuickDelay& q) { return q.item == item; });
  return d == kQuickScheduleItems.end() ? nullptr : &*d;
}

}  // namespace

bool opensCondition(std::string_view delayItem) {
  const QuickDelay* d = quickDelay(delayItem);
  return d && d->condition;
}

std::optional<local_seconds> quickScheduleTime(std::string_view delayItem, local_seconds now) {
  const QuickDelay* d = quickDelay(delayItem);
  if (!d || d->item == "Now" || d->condition) return std::nullopt;
  if (!d->calendarMonth) return now + d->amount;
  const local_days today = floor<days>(now);
  year_month_day next = year_month_day{today} + months{1};
  if (!next.ok()) next = next.year() / next.month() / last;
  return local_days{next} + (now - today);
}

Scheduler::Scheduler(SchedulerDeps deps) : d_(std::move(deps)) {
  d_.tmrScheduler.setInterval(kScanIntervalMs);
  d_.tmrProcessSchedule.setInterval(kQueueIntervalMs);
  d_.timSchedule.setInterval(kActionIntervalMs);
  d_.tmrProcessSchedule.setEnabled(false);
  d_.timSchedule.setEnabled(false);
  d_.tmrScheduler.setEnabled(true);
}

void Scheduler::tmrScheduler_Timer() {
  const local_seconds now = d_.clock.now();
  if (countdown_ && countdown_->secondsLeft(now) == 0) answerCountdown(CountdownAnswer::ActNow);
  const LocalMinute minute = floor<minutes>(now);
  const bool prevented = d_.chkPrevent && d_.chkPrevent();
  // Conditions are measured while prevented too, so that their windows are full when it
  // is cleared; they fire only when it is.
  if (d_.conditions) {
    for (const std::uint64_t id : d_.conditions->tick(d_.list, !prevented)) {
      if (const auto i = d_.list.indexOf(id)) enqueue(*i, minute);
    }
  }
  if (prevented) {
    updateWakeTimer();
    return;
  }
  queuePostponed(minute);
  const std::size_t n = d_.list.count();
  for (std::size_t i = 0; i < n; ++i) {
    const std::optional<LocalMinute> at = d_.list.nextRun(i);
    if (!at || *at > minute) continue;
    if (*at < minute) {
      // Its minute went by unseen (the computer slept, the clock jumped): a one-time run is
      // dropped, never made up late; a repeating one moves on to its next run from here.
      rearm(i, minute - minutes{1});
      if (d_.events) {
        const ScheduleEntry& e = d_.list.at(i);
        const std::optional<LocalMinute> next = d_.list.nextRun(i);
        d_.events->missed({e.text, e.type, *at},
                          next ? std::optional<local_seconds>(*next) : std::nullopt);
      }
      if (d_.list.nextRun(i) != minute) continue;
    }
    enqueue(i, minute);
    rearm(i, minute);
  }
  updateWakeTimer();
}

void Scheduler::queuePostponed(LocalMinute minute) {
  for (auto p = postponed_.begin(); p != postponed_.end();) {
    if (p->at > minute) {
      ++p;
      continue;
    }
    const std::optional<std::size_t> i = d_.list.indexOf(p->id);
    if (isCondition(p->id)) {
      // Back after ten minutes: it acts if its condition still holds, or waits for it again.
      if (i && d_.conditions->holds(p->id)) {
        d_.conditions->fired(p->id);
        enqueue(*i, minute);
      } else {
        d_.conditions->wait(p->id);
      }
    } else if (i) {
      enqueue(*i, p->due);
    } else if (const std::size_t found = d_.list.findSchedule(p->name)) {
      enqueue(found - 1, p->due);
    }  // a schedule deleted meanwhile is dropped
    p = postponed_.erase(p);
    wakeRevision_.reset();
  }
}

void Scheduler::updateWakeTimer() {
  if (!d_.wake) return;
  const bool on = d_.chkWake && d_.chkWake() && !(d_.chkPrevent && d_.chkPrevent());
  if (on == wakeWasOn_ && wakeRevision_ == d_.list.revision()) return;
  wakeWasOn_ = on;
  wakeRevision_ = d_.list.revision();
  if (!on) {
    d_.wake->aim(std::nullopt);
    return;
  }
  std::optional<LocalMinute> postponed;
  for (const Postponed& p : postponed_) {
    if (!postponed || p.at < *postponed) postponed = p.at;
  }
  d_.wake->aim(nextDueMinute(d_.list, postponed));
}

void Scheduler::enqueue(std::size_t index, LocalMinute due) {
  queue_.push_back({d_.list.at(index).id, due});
  d_.tmrProcessSchedule.setEnabled(true);
}

void Scheduler::act(const RunFacts& run, PowerAction action) {
  if (!d_.shutDown) return;
  const local_seconds ranAt = d_.clock.now();
  // The record comes after the call: writing it must never hold the action up.
  const Status failure = d_.shutDown(action, true);
  if (d_.events) d_.events->performed(run, ranAt, failure);
}

void Scheduler::rearm(std::size_t index, LocalMinute minute) {
  const ScheduleEntry& e = d_.list.at(index);
  if (!e.rule) {
    d_.list.setNextRun(index, {});
    return;
  }
  d_.list.setNextRun(index, nextRunAfter(*e.rule, minute, d_.regional.formats()));
}

void Scheduler::tmrProcessSchedule_Timer() {
  if (handingOver_) return;  // the pass in progress ends with the action tick
  if (queue_.empty()) {
    d_.tmrProcessSchedule.setEnabled(false);
    return;
  }
  scheduleDone_ = false;
  d_.tmrProcessSchedule.setEnabled(false);
  handingOver_ = true;
  d_.timSchedule.setEnabled(true);
}

void Scheduler::timSchedule_Timer() {
  d_.timSchedule.setEnabled(false);
  if (!queue_.empty()) {
    const QueuedRun run = queue_.front();
    const std::uint64_t id = run.id;
    queue_.pop_front();
    // The entry itself, not the first of its name: two quick entries made in one second
    // share a name but not what they do.
    if (const auto i = d_.list.indexOf(id)) {
      const ScheduleEntry& entry = d_.list.at(*i);
      const std::optional<PowerAction> action = entry.action;
      // The user did not choose the moment a condition came true: it is always warned.
      if (action && (isCondition(id) || (d_.chkWarn && d_.chkWarn()))) {
        // The pass stays handed over until the countdown is answered or runs out.
        countdown_ =
            ActionCountdown{id, entry.text, entry.type, *action, d_.clock.now(), run.due};
        if (d_.showCountdown) d_.showCountdown();
        return;
      }
      scheduleDone_ = true;
      clearQueue();  // whatever was queued behind this run is dropped
      if (action) act({entry.text, entry.type, run.due}, *action);
    }
  }
  scheduleDone_ = true;
  finishPass();
}

void Scheduler::clearQueue() {
  for (const QueuedRun& run : queue_) {
    if (isCondition(run.id)) d_.conditions->wait(run.id);
  }
  queue_.clear();
}

void Scheduler::finishPass() {
  if (handingOver_) {
    handingOver_ = false;
    if (!queue_.empty()) d_.tmrProcessSchedule.setEnabled(true);
  }
}

void Scheduler::answerCountdown(CountdownAnswer answer) {
  if (!countdown_) return;
  const ActionCountdown c = std::move(*countdown_);
  countdown_.reset();
  scheduleDone_ = true;
  const RunFacts run{c.scheduleName, c.actionName, c.due};
  const bool condition = isCondition(c.id);
  switch (answer) {
    case CountdownAnswer::Cancel:
      if (d_.events) d_.events->countdownCancelled(run, countdownButton(answer));
      // A condition's entry goes: the user does not want it after all.
      if (condition) {
        d_.conditions->remove(c.id);
        d_.list.removeIf([&](const ScheduleEntry& e) { return e.id == c.id; });
      }
      break;
    case CountdownAnswer::Postpone: {
      const LocalMinute again = floor<minutes>(d_.clock.now() + kPostponeBy);
      postponed_.push_back({c.id, c.scheduleName, again, c.due});
      if (condition) d_.conditions->postponed(c.id);
      if (d_.events) d_.events->countdownPostponed(run, countdownButton(answer), again);
      wakeRevision_.reset();
      updateWakeTimer();
      break;
    }
    case CountdownAnswer::ActNow:
      // Done, like a quick entry that has fired: no next run.
      if (condition) {
        d_.conditions->remove(c.id);
        if (const auto i = d_.list.indexOf(c.id)) d_.list.setNextRun(*i, {});
      }
      clearQueue();  // as for any run: whatever was queued behind it is dropped
      act(run, c.action);
      break;
  }
  finishPass();
}

bool Scheduler::quickSchedule(const std::string& delayText, const std::string& actionName) {
  if (delayText == "Now") {
    const std::string text = d_.message ? d_.message("MSG_SURE") : std::string();
    if (d_.dialogs.messageBox(text, "Confirm Choice", MsgButtons::OkCancel) != MsgResult::Ok) {
      return false;
    }
    actAtOnce(actionName);
    return true;
  }
  if (opensCondition(delayText)) return false;  // the Condition window makes that entry
  addQuickEntry(actionName, quickScheduleTime(delayText, d_.clock.now()));
  return true;
}

void Scheduler::actAtOnce(const std::string& actionName) {
  if (!powerActionNamed(actionName)) return;
  const local_seconds ranAt = d_.clock.now();
  const Status failure = runAction(actionName, true, d_.shutDown);
  if (d_.events) d_.events->performedAtOnce(actionName, ranAt, failure);
}

std::size_t Scheduler::addQuickEntry(const std::string& actionName,
                                     std::optional<local_seconds> when) {
  ScheduleEntry e = quickEntry(actionName);
  std::optional<LocalMinute> at;
  if (when) {
    e.nextRunTime = formatNextRunText(*when, d_.regional.formats());
    at = floor<minutes>(*when);
  }
  d_.list.add(std::move(e), at);
  return d_.list.count() - 1;
}

ScheduleEntry Scheduler::quickEntry(const std::string& actionName) const {
  const local_seconds now = d_.clock.now();
  const local_days today = floor<days>(now);
  const RegionalFormats f = d_.regional.formats();
  ScheduleEntry e;
  e.text = "Quick Schedule " + formatShortDate(year_month_day{today}, f) + " " +
           formatLongTime(now - today, f);
  e.type = actionName;
  e.action = powerActionNamed(actionName);
  e.enabled = kEnabledYes;
  e.quick = true;
  return e;
}

void Scheduler::whenCondition(const Condition& condition, const std::string& actionName) {
  if (d_.conditions) d_.conditions->add(d_.list, quickEntry(actionName), condition);
}

}  // namespace quenmark
