#include "core/cli/run_request.h"

#include <array>
#include <chrono>
#include <utility>

namespace quenmark::cli {
namespace {

using namespace std::chrono;

constexpr std::string_view kCrLf = "\r\n";

// The switches of the usage, each with the key of its line.
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kUsageLines = {{
    {"/s /r /l /h /sb", "MSG_CLI_ACTIONS"},
    {"/t SECONDS", "MSG_CLI_T"},
    {"/at HH:MM", "MSG_CLI_AT"},
    {"/f", "MSG_CLI_F"},
    {"/a", "MSG_CLI_A"},
    {"/list [/csv]", "MSG_CLI_LIST"},
    {"/add FILE.sch", "MSG_CLI_ADD"},
    {"/delete NAME", "MSG_CLI_DELETE"},
    {"/disable NAME", "MSG_CLI_DISABLE"},
    {"/enable NAME", "MSG_CLI_ENABLE"},
    {"/pause /resume", "MSG_CLI_PAUSE"},
    {"/tray", "MSG_CLI_TRAY"},
    {"/? /help", "MSG_CLI_HELP"},
}};

std::string text(const MessageLookup& message, const std::string& key) {
  return message ? message(key) : std::string();
}

std::string line(std::string_view s) { return std::string(s) + std::string(kCrLf); }

Reply reply(ExitCode code, std::string body) { return Reply{code, line(body)}; }

std::string csvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string listLine(const std::vector<std::string>& fields, bool csv) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += csv ? ',' : '\t';
    out += csv ? csvField(fields[i]) : fields[i];
  }
  return line(out);
}

// The moment a quick request acts at; nothing for "at once".
std::optional<local_seconds> quickMoment(const Request& r, local_seconds now) {
  if (r.seconds) {
    if (*r.seconds == 0) return std::nullopt;
    return now + seconds{*r.seconds};
  }
  const local_days today = floor<days>(now);
  const minutes clock = floor<minutes>(now - today);
  // The minute asked for is taken as passed once it has begun.
  return today + *r.at + (*r.at > clock ? days{0} : days{1});
}

Reply outcomeReply(const Request& r, const CommandResult& result, ScheduleCommands& commands,
                   const MessageLookup& message) {
  switch (result.outcome) {
    case CommandOutcome::Done:
      if (result.row) {
        return Reply{ExitCode::Done, listText(commands.schedules().list(), false, result.row)};
      }
      return reply(ExitCode::Done, exitCodeText(ExitCode::Done, message));
    case CommandOutcome::NoSuchSchedule:
      return reply(ExitCode::NoSuchSchedule,
                   exitCodeText(ExitCode::NoSuchSchedule, message) + ": " + r.operand);
    case CommandOutcome::NameTaken:
      return reply(ExitCode::NameTaken, text(message, "MSG_NEWNAME"));
    case CommandOutcome::NoName:
      return reply(ExitCode::NotAccepted, text(message, "MSG_NONAME"));
    case CommandOutcome::NotASchedule:
      return reply(ExitCode::NotAccepted,
                   result.error ? result.error->message()
                                : exitCodeText(ExitCode::NotAccepted, message) + ": " + r.operand);
    case CommandOutcome::NoStartToKeep:
      return reply(ExitCode::NotAccepted, text(message, "MSG_CLI_NOSTART") + ": " + r.operand);
    case CommandOutcome::Refused:
      return reply(ExitCode::SystemRefused, result.error
                                                ? result.error->message()
                                                : exitCodeText(ExitCode::SystemRefused, message));
    case CommandOutcome::NotStarted:
      return reply(ExitCode::NotRunning, exitCodeText(ExitCode::NotRunning, message));
    case CommandOutcome::Cancelled:
      return reply(ExitCode::Cancelled, exitCodeText(ExitCode::Cancelled, message));
    case CommandOutcome::Locked:
      return reply(ExitCode::Locked, exitCodeText(ExitCode::Locked, message));
  }
  return reply(ExitCode::Done, exitCodeText(ExitCode::Done, message));
}

}  // namespace

Where whereToRun(const Request& r) {
  switch (r.verb) {
    case Verb::Quick:
    case Verb::Pause:
      return Where::StartedProgram;
    case Verb::CancelQuick:
    case Verb::Resume:
      return Where::RunningProgram;
    case Verb::List:
    case Verb::Add:
    case Verb::Delete:
    case Verb::Enable:
    case Verb::Disable:
      return Where::ProgramOrHere;
    case Verb::Tray:
    case Verb::Help:
      break;
  }
  return Where::Here;
}

Reply runRequest(const Request& r, ScheduleCommands& commands, const MessageLookup& message) {
  CommandResult result;
  switch (r.verb) {
    case Verb::Quick:
      result = commands.quick(r.action, {quickMoment(r, commands.now()), r.force});
      break;
    case Verb::CancelQuick:
      result = commands.cancelQuick();
      break;
    case Verb::List:
      return Reply{ExitCode::Done, listText(commands.schedules().list(), r.csv)};
    case Verb::Add:
      result = commands.add(r.operand);
      break;
    case Verb::Delete:
      result = commands.remove(r.operand);
      break;
    case Verb::Enable:
    case Verb::Disable:
      result = commands.setEnabled(r.operand, r.verb == Verb::Enable);
      break;
    case Verb::Pause:
    case Verb::Resume:
      result = commands.setPaused(r.verb == Verb::Pause);
      break;
    case Verb::Tray:
    case Verb::Help:
      return Reply{ExitCode::BadArguments, {}};  // carried out by the start itself
  }
  return outcomeReply(r, result, commands, message);
}

std::string listText(const ScheduleList& list, bool csv, std::optional<std::size_t> row) {
  // Fixed English column names: scripts read them.
  std::string out = listLine({"Name", "Action", "Next run", "Enabled"}, csv);
  for (std::size_t i = 0; i < list.count(); ++i) {
    if (row && *row != i) continue;
    const ScheduleEntry& e = list.at(i);
    out += listLine({e.text, e.type, e.nextRunTime, e.enabled}, csv);
  }
  return out;
}

std::string usageText(std::string_view programFile, const MessageLookup& message) {
  const std::string program(programFile);
  std::string out;
  out += line(program + " /s | /r | /l | /h | /sb  /t SECONDS | /at HH:MM  [/f]");
  out += line(program +
              " /a | /list [/csv] | /add FILE.sch | /delete NAME | /disable NAME | /enable NAME");
  out += line(program + " /pause | /resume | /tray | /? | /help");
  out += line("");
  for (const auto& [switches, key] : kUsageLines) {
    std::string left = "  " + std::string(switches);
    left.resize(20, ' ');
    out += line(left + text(message, std::string(key)));
  }
  out += line("");
  out += line(text(message, "MSG_CLI_EXITCODES"));
  for (int code = 0; code < kExitCodeCount; ++code) {
    out += line("  " + std::to_string(code) + "  " +
                exitCodeText(static_cast<ExitCode>(code), message));
  }
  return out;
}

Reply badArguments(const std::string& notUnderstood, std::string_view programFile,
                   const MessageLookup& message) {
  return Reply{ExitCode::BadArguments, line(text(message, "MSG_CLI_BADARG") + " " + notUnderstood) +
                                           line("") + usageText(programFile, message)};
}

std::string exitCodeText(ExitCode code, const MessageLookup& message) {
  return text(message, "MSG_CLI_EXIT" + std::to_string(static_cast<int>(code)));
}

}  // namespace quenmark::cli
