#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace quenmark {

// The five power actions; each value is the code CPower.ShutDown takes (the codes of log
// off, shut down and reboot are ExitWindowsEx flags).
enum class PowerAction { LogOff = 0, ShutDown = 1, Reboot = 2, Hibernate = 5, StandBy = 6 };

struct PowerActionInfo {
  PowerAction action;
  std::string_view name;         // in schedule files, the action lists and the list's Type
  std::string_view menuCaption;  // the Action menu's design caption
  bool needsHibernation;         // offered only where hibernation is available
  std::string_view commandSwitch;  // on the command line, after shutdown.exe where it has one
};

// Every action, in the order the action lists and the Action menu show them.
inline constexpr std::array<PowerActionInfo, 5> kPowerActions = {{
    {PowerAction::Hibernate, "Hibernate", "Hibernate", true, "h"},
    {PowerAction::ShutDown, "Shut Down", "Shut Down", false, "s"},
    {PowerAction::Reboot, "Reboot", "Reboot", false, "r"},
    {PowerAction::LogOff, "Log Off", "Log Off", false, "l"},
    {PowerAction::StandBy, "Stand by", "Stand By", false, "sb"},
}};

// The action of a name, compared exactly; nothing for any other text.
std::optional<PowerAction> powerActionNamed(std::string_view name);
std::string_view powerActionName(PowerAction action);
inline int powerActionCode(PowerAction action) { return static_cast<int>(action); }

// The names an action list offers, "Hibernate" first and only when available.
std::vector<std::string_view> offeredActionNames(bool hibernateAvailable);

}  // namespace quenmark
