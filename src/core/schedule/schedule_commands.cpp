#include "core/schedule/schedule_commands.h"

#include "base/text.h"
#include "core/schedule/schedule_file.h"

namespace quenmark {
namespace {

CommandResult outcome(CommandOutcome o) { return CommandResult{o}; }

CommandResult refused(SysError error) {
  return CommandResult{CommandOutcome::Refused, std::move(error)};
}

}  // namespace

std::optional<std::string> ScheduleCommands::scheduleNamed(const std::string& name) const {
  // A name no file can have names no schedule; it must not reach the search as a pattern.
  if (name.empty() || validateScheduleName(name)) return std::nullopt;
  const auto found = fs_.find(scheduleFilePath(programFolder_, name), 0);
  if (found.empty() || found.front().size() < kScheduleExtension.size()) return std::nullopt;
  return found.front().substr(0, found.front().size() - kScheduleExtension.size());
}

std::optional<std::size_t> ScheduleCommands::rowOf(const std::string& name) const {
  const std::size_t found = schedules_.list().findSchedule(name);
  if (found == 0) return std::nullopt;
  return found - 1;
}

CommandResult ScheduleCommands::quick(PowerAction action, const QuickWhen& when) {
  if (!schedules_.started()) return outcome(CommandOutcome::NotStarted);
  if (when.at) {
    CommandResult r;
    r.row = schedules_.quickScheduleAt(action, *when.at);
    return r;
  }
  if (when.force) {
    schedules_.actNow(action);
    return {};
  }
  return schedules_.quickSchedule("Now", std::string(powerActionName(action)))
             ? CommandResult{}
             : outcome(CommandOutcome::Cancelled);
}

CommandResult ScheduleCommands::cancelQuick() {
  if (!schedules_.started()) return outcome(CommandOutcome::NotStarted);
  schedules_.cancelQuickEntries();
  return {};
}

CommandResult ScheduleCommands::add(const std::string& path) {
  if (policy_.schedulesLocked()) return outcome(CommandOutcome::Locked);
  // The name is the file's name, as the file system shows it, without its extension.
  const std::string file = TrimPath(path);
  if (file.size() < kScheduleExtension.size() ||
      !equalsNoCase(std::string_view(file).substr(file.size() - kScheduleExtension.size()), kScheduleExtension)) {
    return outcome(CommandOutcome::NotASchedule);
  }
  const std::string name = file.substr(0, file.size() - kScheduleExtension.size());
  const std::vector<std::string> listed = schedules_.names();
  if (const auto problem = checkScheduleName(name, &listed, fs_, programFolder_)) {
    switch (problem->kind) {
      case NameProblem::Kind::Taken:
        return outcome(CommandOutcome::NameTaken);
      case NameProblem::Kind::Empty:
        return outcome(CommandOutcome::NoName);
      case NameProblem::Kind::Refused:
        return CommandResult{CommandOutcome::NotASchedule, problem->refused};
    }
  }
  const Result<std::string> bytes = fs_.readFile(path);
  if (!bytes) return refused(bytes.error());
  const std::string text = codec_.ansiToUtf8(*bytes);
  if (!looksLikeScheduleFile(text)) return outcome(CommandOutcome::NotASchedule);
  ScheduleRecord record = readScheduleText(name, text);
  // What the program itself never writes otherwise.
  record.LastRunTime.clear();
  record.RunOnStart = record.RunOnEnd = false;
  ensureDataFolder(fs_, programFolder_);
  if (auto failed = SaveScheduleFile(fs_, codec_, programFolder_, record)) return refused(*failed);
  schedules_.saved(record, ChangeSource::CommandLine);
  CommandResult r;
  r.row = rowOf(name);
  return r;
}

CommandResult ScheduleCommands::remove(const std::string& name) {
  if (policy_.schedulesLocked()) return outcome(CommandOutcome::Locked);
  const auto found = scheduleNamed(name);
  if (!found) return outcome(CommandOutcome::NoSuchSchedule);
  if (auto failed = schedules_.deleteSchedule(*found, ChangeSource::CommandLine))
    return refused(*failed);
  schedules_.deleted(*found);
  return {};
}

CommandResult ScheduleCommands::setEnabled(const std::string& name, bool on) {
  if (policy_.schedulesLocked()) return outcome(CommandOutcome::Locked);
  const auto found = scheduleNamed(name);
  if (!found) return outcome(CommandOutcome::NoSuchSchedule);
  const Result<std::string> bytes = fs_.readFile(scheduleFilePath(programFolder_, *found));
  if (!bytes) return refused(bytes.error());
  const std::string text = codec_.ansiToUtf8(*bytes);
  ScheduleRecord record = readScheduleText(*found, text);
  const std::optional<ScheduleRecord> kept = keptStartOf(text);
  Status failed;
  if (on) {
    if (record.Enabled) return CommandResult{CommandOutcome::Done, {}, rowOf(*found)};
    if (kept) {
      takeStart(record, *kept);
    } else if (!hasStart(record)) {
      return outcome(CommandOutcome::NoStartToKeep);
    }
    record.Enabled = true;
    failed = SaveScheduleFile(fs_, codec_, programFolder_, record);
  } else {
    // Switched off as the wizard switches a start off, with the start kept aside; a schedule
    // already off keeps what it kept.
    const std::optional<ScheduleRecord> keep = hasStart(record) ? record : kept;
    if (!record.Enabled && !hasStart(record)) {
      return CommandResult{CommandOutcome::Done, {}, rowOf(*found)};
    }
    takeStart(record, ScheduleRecord{});
    record.Enabled = false;
    failed = SaveScheduleFile(fs_, codec_, programFolder_, record, keep ? &*keep : nullptr);
  }
  if (failed) return refused(*failed);
  schedules_.saved(record, ChangeSource::CommandLine);
  return CommandResult{CommandOutcome::Done, {}, rowOf(*found)};
}

CommandResult ScheduleCommands::setPaused(bool on) {
  if (!schedules_.started()) return outcome(CommandOutcome::NotStarted);
  if (schedules_.pauseSetByPolicy()) return outcome(CommandOutcome::Locked);
  schedules_.setPaused(on);
  return {};
}

}  // namespace quenmark
