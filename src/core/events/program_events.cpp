#include "core/events/program_events.h"

#include <cstdio>
#include <vector>

namespace quenmark {

using namespace std::chrono;

namespace {

std::string_view sourceText(ChangeSource source) {
  switch (source) {
    case ChangeSource::Wizard:
      return "the schedule wizard";
    case ChangeSource::MainWindow:
      return "the main window";
    case ChangeSource::CommandLine:
      return "the command line";
  }
  return "";
}

// The English "none" stands where a run has no next one: the log's texts are English.
std::string nextText(std::optional<local_seconds> next) {
  return next ? eventMinute(*next) : std::string("none");
}

}  // namespace

const EventDef& eventDef(EventId id) {
  for (const EventDef& d : kEvents) {
    if (d.id == id) return d;
  }
  return kEvents.front();  // not reached: every id has its row
}

std::string eventMinute(local_seconds t) { return eventMoment(t).substr(0, 16); }

std::string eventMoment(local_seconds t) {
  const local_days day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> time{t - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

void ProgramEvents::write(EventId id, std::initializer_list<std::string> strings) {
  log_.report(eventDef(id).type, static_cast<std::uint32_t>(id), std::vector<std::string>(strings));
}

void ProgramEvents::started(std::size_t schedules) {
  write(EventId::Started, {std::to_string(schedules)});
}

void ProgramEvents::ended() { write(EventId::Ended, {}); }

void ProgramEvents::performed(const RunFacts& run, local_seconds ranAt, const Status& failure) {
  if (failure) {
    write(EventId::Failed,
          {run.name, run.action, eventMinute(run.due), eventMoment(ranAt), failure->message()});
    return;
  }
  write(EventId::Performed, {run.name, run.action, eventMinute(run.due), eventMoment(ranAt)});
}

void ProgramEvents::performedAtOnce(std::string_view action, local_seconds ranAt,
                                    const Status& failure) {
  if (failure) {
    write(EventId::FailedAtOnce, {std::string(action), eventMoment(ranAt), failure->message()});
    return;
  }
  write(EventId::PerformedAtOnce, {std::string(action), eventMoment(ranAt)});
}

void ProgramEvents::countdownCancelled(const RunFacts& run, std::string_view button) {
  write(EventId::CountdownCancelled,
        {run.name, run.action, eventMinute(run.due), std::string(button)});
}

void ProgramEvents::countdownPostponed(const RunFacts& run, std::string_view button,
                                       local_seconds again) {
  write(EventId::CountdownPostponed,
        {run.name, run.action, eventMinute(run.due), std::string(button), eventMinute(again)});
}

void ProgramEvents::missed(const RunFacts& run, std::optional<local_seconds> next) {
  if (!next) {
    write(EventId::MissedDropped, {run.name, run.action, eventMinute(run.due)});
    return;
  }
  write(EventId::MissedMovedOn, {run.name, run.action, eventMinute(run.due), eventMinute(*next)});
}

void ProgramEvents::saved(bool added, const std::string& name, std::string_view action,
                          std::optional<local_seconds> next, ChangeSource source) {
  write(added ? EventId::ScheduleAdded : EventId::ScheduleChanged,
        {name, std::string(action), nextText(next), std::string(sourceText(source))});
}

void ProgramEvents::deleted(const std::string& name, ChangeSource source) {
  write(EventId::ScheduleDeleted, {name, std::string(sourceText(source))});
}

}  // namespace quenmark
