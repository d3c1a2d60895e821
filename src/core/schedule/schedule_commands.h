#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "core/power/power_action.h"
#include "core/schedule/schedule_service.h"
#include "core/settings/policy.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/result.h"
#include "platform/text_codec.h"

namespace quenmark {

// How a change asked for from outside the windows ended.
enum class CommandOutcome {
  Done,
  NoSuchSchedule,
  NameTaken,      // a new schedule's name is in use, letter case ignored
  NoName,         // a new schedule's name is empty
  NotASchedule,   // the file is no schedule file, or its name one a file cannot have
  NoStartToKeep,  // switching on a schedule that has no start to run at
  Refused,        // the file system said no: `error` says why
  NotStarted,     // the engine is not running, so there is nothing to add to or act on
  Cancelled,      // the confirmation of an action at once was answered Cancel
  Locked,         // an administrator's policy locks the schedules, or sets the pause
};

struct CommandResult {
  CommandOutcome outcome = CommandOutcome::Done;
  std::optional<SysError> error{};   // for Refused, and for a name a file cannot have
  std::optional<std::size_t> row{};  // the list entry made or changed
};

// When a quick entry acts: at once (asking first unless `force`), or at a moment.
struct QuickWhen {
  std::optional<std::chrono::local_seconds> at{};  // none: at once
  bool force = false;
};

// The changes the command line makes, in one place beside the schedule service, so that the
// running program and a start that finds it not running act alike: the list, the engine
// and the files change as the windows change them (the same name rules and the same
// atomic save as the wizard).
class ScheduleCommands {
 public:
  // `policy`: what an administrator locks, which the schedules' files and the pause obey.
  ScheduleCommands(ScheduleService& schedules, const Policy& policy, FileSystem& fs,
                   const TextCodec& codec, const Clock& clock, std::string programFolder)
      : schedules_(schedules),
        policy_(policy),
        fs_(fs),
        codec_(codec),
        clock_(clock),
        programFolder_(std::move(programFolder)) {}

  const ScheduleService& schedules() const { return schedules_; }
  std::chrono::local_seconds now() const { return clock_.now(); }

  // A quick entry of the action, or the action at once; needs the running engine.
  CommandResult quick(PowerAction action, const QuickWhen& when);
  // Takes out every quick entry; schedule files stay as they are.
  CommandResult cancelQuick();
  // Copies a schedule file into the data folder under the name its file name gives, as the
  // wizard saves a new schedule.
  CommandResult add(const std::string& path);
  CommandResult remove(const std::string& name);
  // Switching off keeps the start in the file (schedule_file.h); switching on gives it back.
  CommandResult setEnabled(const std::string& name, bool on);
  CommandResult setPaused(bool on);

 private:
  // The name of the schedule file that answers to `name` as the file system matches names;
  // nothing when the list would show no such schedule.
  std::optional<std::string> scheduleNamed(const std::string& name) const;
  std::optional<std::size_t> rowOf(const std::string& name) const;

  ScheduleService& schedules_;
  const Policy& policy_;
  FileSystem& fs_;
  const TextCodec& codec_;
  const Clock& clock_;
  std::string programFolder_;
};

}  // namespace quenmark
