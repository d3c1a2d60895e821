#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event_log.h"
#include "platform/result.h"

namespace quenmark {

// The event source the program writes under; the installer registers it with the program
// as its message file.
inline constexpr char kEventSource[] = "Quenmark";

// The program's messages, by their ids in the message table compiled into the program
// (res/events.mc). Administrators filter on these numbers: never renumber or reuse one.
enum class EventId : std::uint32_t {
  Started = 1,
  Ended = 2,
  Performed = 100,
  PerformedAtOnce = 101,
  CountdownCancelled = 110,
  CountdownPostponed = 111,
  MissedDropped = 120,
  MissedMovedOn = 121,
  Failed = 130,
  FailedAtOnce = 131,
  ScheduleAdded = 200,
  ScheduleChanged = 201,
  ScheduleDeleted = 202,
};

// Each message: its kind of record and how many texts it inserts.
struct EventDef {
  EventId id;
  EventType type;
  int strings;
};

inline constexpr std::array<EventDef, 13> kEvents{{
    {EventId::Started, EventType::Information, 1},
    {EventId::Ended, EventType::Information, 0},
    {EventId::Performed, EventType::Information, 4},
    {EventId::PerformedAtOnce, EventType::Information, 2},
    {EventId::CountdownCancelled, EventType::Information, 4},
    {EventId::CountdownPostponed, EventType::Information, 5},
    {EventId::MissedDropped, EventType::Warning, 3},
    {EventId::MissedMovedOn, EventType::Warning, 4},
    {EventId::Failed, EventType::Error, 5},
    {EventId::FailedAtOnce, EventType::Error, 3},
    {EventId::ScheduleAdded, EventType::Information, 4},
    {EventId::ScheduleChanged, EventType::Information, 4},
    {EventId::ScheduleDeleted, EventType::Information, 2},
}};

const EventDef& eventDef(EventId id);

// Where a change to the schedules came from.
enum class ChangeSource { Wizard, MainWindow, CommandLine };

// A run of a schedule or quick entry: its name, its action, and the minute it was due.
struct RunFacts {
  std::string name;
  std::string action;
  std::chrono::local_seconds due{};
};

// Times as the records give them, in local time and independent of the user's regional
// formats, so that they sort and compare in any tool: "2025-03-05 08:00" for a minute,
// "2025-03-05 08:00:10" for a moment.
std::string eventMinute(std::chrono::local_seconds t);
std::string eventMoment(std::chrono::local_seconds t);

// What the program did, as records of the Application log: each call writes one record
// through the log, which never makes the caller wait for a failure.
class ProgramEvents {
 public:
  explicit ProgramEvents(EventLog& log) : log_(log) {}

  void started(std::size_t schedules);
  void ended();
  // A scheduled run was performed at `ranAt` (the moment the action was called), or, with a
  // failure, could not be.
  void performed(const RunFacts& run, std::chrono::local_seconds ranAt, const Status& failure);
  // The quick timer's "Now" or the Action menu.
  void performedAtOnce(std::string_view action, std::chrono::local_seconds ranAt,
                       const Status& failure);
  void countdownCancelled(const RunFacts& run, std::string_view button);
  void countdownPostponed(const RunFacts& run, std::string_view button,
                          std::chrono::local_seconds again);
  // A run whose minute went by unseen: a one-time run is dropped (no `next`), a repeating one
  // moves on to `next`.
  void missed(const RunFacts& run, std::optional<std::chrono::local_seconds> next);
  // A schedule saved: added or changed, with its next run (none when it has none).
  void saved(bool added, const std::string& name, std::string_view action,
             std::optional<std::chrono::local_seconds> next, ChangeSource source);
  void deleted(const std::string& name, ChangeSource source);

 private:
  void write(EventId id, std::initializer_list<std::string> strings);

  EventLog& log_;
};

}  // namespace quenmark
