#include "core/cli/request.h"

#include <array>
#include <string_view>

#include "base/text.h"
#include "core/schedule/regional_time.h"

namespace quenmark::cli {
namespace {

using std::chrono::minutes;

// Switches that are not actions; the actions' own come from the table of power actions.
enum class Switch {
  Action,
  T,
  At,
  F,
  A,
  List,
  Csv,
  Add,
  Delete,
  Enable,
  Disable,
  Pause,
  Resume,
  Tray,
  Help
};

struct SwitchDef {
  std::string_view name;
  Switch which;
  bool takesValue;
};

constexpr std::array<SwitchDef, 15> kSwitches = {{
    {"t", Switch::T, true},
    {"at", Switch::At, true},
    {"f", Switch::F, false},
    {"a", Switch::A, false},
    {"list", Switch::List, false},
    {"csv", Switch::Csv, false},
    {"add", Switch::Add, true},
    {"delete", Switch::Delete, true},
    {"enable", Switch::Enable, true},
    {"disable", Switch::Disable, true},
    {"pause", Switch::Pause, false},
    {"resume", Switch::Resume, false},
    {"tray", Switch::Tray, false},
    {"?", Switch::Help, false},
    {"help", Switch::Help, false},
}};

std::string_view commandSwitchOf(PowerAction action) {
  for (const PowerActionInfo& a : kPowerActions) {
    if (a.action == action) return a.commandSwitch;
  }
  return {};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, no sign, up to the longest delay.
std::optional<std::int64_t> readSeconds(std::string_view text) {
  std::size_t i = 0;
  while (i + 1 < text.size() && text[i] == '0') ++i;  // leading zeros count for nothing
  text.remove_prefix(i);
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t n = 0;
  for (char c : text) {
    if (!isDigit(c)) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n > kMaxDelaySeconds) return std::nullopt;
  return n;
}

// "H:MM" or "HH:MM" on the 24-hour clock: the times of schedule files, without seconds and
// with both digits of the minute.
std::optional<minutes> readTimeOfDay(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3)
    return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != colon && !isDigit(text[i])) return std::nullopt;
  }
  const auto t = parseTime24(text);
  if (!t) return std::nullopt;
  return floor<minutes>(*t);
}

// The switch an argument names; nothing when it is no switch of ours.
std::optional<SwitchDef> switchOf(std::string_view arg, std::optional<PowerAction>& action) {
  if (arg.size() < 2 || (arg.front() != '/' && arg.front() != '-')) return std::nullopt;
  const std::string_view name = arg.substr(1);
  for (const PowerActionInfo& a : kPowerActions) {
    if (equalsNoCase(name, a.commandSwitch)) {
      action = a.action;
      return SwitchDef{a.commandSwitch, Switch::Action, false};
    }
  }
  for (const SwitchDef& s : kSwitches) {
    if (equalsNoCase(name, s.name)) return s;
  }
  return std::nullopt;
}

std::optional<Verb> verbOf(Switch s) {
  switch (s) {
    case Switch::Action:
      return Verb::Quick;
    case Switch::A:
      return Verb::CancelQuick;
    case Switch::List:
      return Verb::List;
    case Switch::Add:
      return Verb::Add;
    case Switch::Delete:
      return Verb::Delete;
    case Switch::Enable:
      return Verb::Enable;
    case Switch::Disable:
      return Verb::Disable;
    case Switch::Pause:
      return Verb::Pause;
    case Switch::Resume:
      return Verb::Resume;
    case Switch::Tray:
      return Verb::Tray;
    case Switch::Help:
      return Verb::Help;
    default:
      return std::nullopt;  // a modifier
  }
}

// The verb a modifier belongs to.
Verb ownerOf(Switch s) { return s == Switch::Csv ? Verb::List : Verb::Quick; }

}  // namespace

Parsed parseArguments(const std::vector<std::string>& args) {
  auto refuse = [](const std::string& arg) { return Parsed{std::nullopt, arg}; };
  if (args.empty()) return refuse("");
  Request r;
  std::optional<Verb> verb;
  std::string verbArg;
  // Every switch once; the modifiers are checked against the verb once it is known.
  std::vector<Switch> seen;
  std::vector<std::pair<Switch, std::string>> modifiers;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::optional<PowerAction> action;
    const auto s = switchOf(args[i], action);
    if (!s) return refuse(args[i]);
    for (Switch before : seen) {
      if (before == s->which) return refuse(args[i]);
    }
    seen.push_back(s->which);
    std::string value;
    if (s->takesValue) {
      if (i + 1 >= args.size()) return refuse(args[i]);
      value = args[++i];
    }
    if (const auto v = verbOf(s->which)) {
      if (verb) return refuse(args[i - (s->takesValue ? 1 : 0)]);
      verb = v;
      verbArg = args[i - (s->takesValue ? 1 : 0)];
      if (action) r.action = *action;
      if (s->takesValue) r.operand = value;
      continue;
    }
    switch (s->which) {
      case Switch::T:
        r.seconds = readSeconds(value);
        if (!r.seconds) return refuse(value);
        break;
      case Switch::At:
        r.at = readTimeOfDay(value);
        if (!r.at) return refuse(value);
        break;
      case Switch::F:
        r.force = true;
        break;
      case Switch::Csv:
        r.csv = true;
        break;
      default:
        break;
    }
    modifiers.emplace_back(s->which, args[i - (s->takesValue ? 1 : 0)]);
  }
  if (!verb) return refuse(modifiers.empty() ? std::string() : modifiers.front().second);
  for (const auto& [m, arg] : modifiers) {
    if (ownerOf(m) != *verb) return refuse(arg);
  }
  // An action needs its moment, one of the two.
  if (*verb == Verb::Quick && r.seconds.has_value() == r.at.has_value()) return refuse(verbArg);
  r.verb = *verb;
  return {r, {}};
}

std::string timeOfDayText(minutes minuteOfDay) {
  return formatTime24(minuteOfDay).substr(0, 5);  // "HH:mm" of "HH:mm:ss"
}

std::vector<std::string> argumentsOf(const Request& r) {
  auto sw = [](std::string_view name) { return "/" + std::string(name); };
  switch (r.verb) {
    case Verb::Quick: {
      std::vector<std::string> out{sw(commandSwitchOf(r.action))};
      if (r.seconds) {
        out.push_back("/t");
        out.push_back(std::to_string(*r.seconds));
      }
      if (r.at) {
        out.push_back("/at");
        out.push_back(timeOfDayText(*r.at));
      }
      if (r.force) out.push_back("/f");
      return out;
    }
    case Verb::CancelQuick:
      return {"/a"};
    case Verb::List:
      return r.csv ? std::vector<std::string>{"/list", "/csv"} : std::vector<std::string>{"/list"};
    case Verb::Add:
      return {"/add", r.operand};
    case Verb::Delete:
      return {"/delete", r.operand};
    case Verb::Enable:
      return {"/enable", r.operand};
    case Verb::Disable:
      return {"/disable", r.operand};
    case Verb::Pause:
      return {"/pause"};
    case Verb::Resume:
      return {"/resume"};
    case Verb::Tray:
      return {"/tray"};
    case Verb::Help:
      break;
  }
  return {"/?"};
}

}  // namespace quenmark::cli
