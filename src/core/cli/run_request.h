#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/cli/message.h"
#include "core/cli/request.h"
#include "core/schedule/schedule_commands.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/scheduler.h"

namespace quenmark::cli {

// Where a request is carried out.
enum class Where {
  Here,            // by the start itself (/? and /tray)
  RunningProgram,  // by the running program; when none runs there is nothing to act on
  ProgramOrHere,   // by the running program, or on the data folder when none runs
  StartedProgram,  // by the running program, started in the tray first when none runs
};
Where whereToRun(const Request& request);

// Carries out a request that acts on the schedules (not Help or Tray) and says how it went,
// in the catalogue's language; quick actions and the pause need the running engine.
Reply runRequest(const Request& request, ScheduleCommands& commands, const MessageLookup& message);

// The list as /list prints it: a header, then one line per entry (name, action, next run,
// enabled), tab-separated, or as RFC 4180 CSV. With `row`, that entry alone.
std::string listText(const ScheduleList& list, bool csv,
                     std::optional<std::size_t> row = std::nullopt);

// Every switch and exit code, with the catalogue's texts; `programFile` is how the program
// is called ("Quenmark.exe").
std::string usageText(std::string_view programFile, const MessageLookup& message);

// The arguments not understood: which one, then the usage.
Reply badArguments(const std::string& notUnderstood, std::string_view programFile,
                   const MessageLookup& message);

// The text of an exit code for the caller's own outcomes ("not running").
std::string exitCodeText(ExitCode code, const MessageLookup& message);

}  // namespace quenmark::cli
