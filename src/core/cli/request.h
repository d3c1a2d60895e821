#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/power/power_action.h"

// The command line of the program: what a start with arguments asks for, read from its
// arguments and written back to them. Switches take "/" or "-" and ignore letter case; the
// value of a switch that takes one is the next argument, whatever it holds.
namespace quenmark::cli {

// Every way a start with arguments ends.
enum class ExitCode : int {
  Done = 0,
  BadArguments = 1,  // the arguments were not understood: the usage is printed
  NoSuchSchedule = 2,
  NameTaken = 3,
  NotAccepted = 4,    // not a schedule file, a name no file can have, no start to switch on
  SystemRefused = 5,  // the file system or the registry said no
  NotRunning = 6,     // the program is not running (or could not be started, or did not answer)
  Cancelled = 7,      // the confirmation of an action at once was answered Cancel
  Locked = 8,         // an administrator's policy locks the schedules or sets the pause
};
inline constexpr int kExitCodeCount = 9;

enum class Verb {
  Quick,        // /s /r /l /h /sb with /t or /at (and /f)
  CancelQuick,  // /a
  List,         // /list (/csv)
  Add,          // /add FILE.sch
  Delete,       // /delete NAME
  Enable,       // /enable NAME
  Disable,      // /disable NAME
  Pause,        // /pause
  Resume,       // /resume
  Tray,         // /tray: start the program in the notification area
  Help,         // /? or /help
};

// The longest delay /t takes, as shutdown.exe has it: ten years.
inline constexpr std::int64_t kMaxDelaySeconds = 315360000;

struct Request {
  Verb verb = Verb::Help;
  PowerAction action = PowerAction::ShutDown;  // Quick
  std::optional<std::int64_t> seconds{};       // Quick: /t
  std::optional<std::chrono::minutes> at{};    // Quick: /at, the minute of the day
  bool force = false;                          // Quick: /f, no confirmation at /t 0
  bool csv = false;                            // List
  std::string operand{};                       // Add: the file; Delete, Enable, Disable: the name

  friend bool operator==(const Request&, const Request&) = default;
};

// A request, or the argument that spoiled it (the switch that lacks its value, the second of
// two verbs, the unknown one; empty when there are no arguments at all).
struct Parsed {
  std::optional<Request> request;
  std::string notUnderstood;
};

Parsed parseArguments(const std::vector<std::string>& args);

// The request as arguments, in one fixed form that parseArguments reads back to the same
// request: switches in lower case after "/", /t without leading zeros, /at as HH:MM.
std::vector<std::string> argumentsOf(const Request& request);

// "HH:MM" of a minute of the day.
std::string timeOfDayText(std::chrono::minutes minuteOfDay);

}  // namespace quenmark::cli
