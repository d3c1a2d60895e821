#include "core/power/power_action.h"

namespace quenmark {

std::optional<PowerAction> powerActionNamed(std::string_view name) {
  for (const PowerActionInfo& a : kPowerActions) {
    if (a.name == name) return a.action;
  }
  return std::nullopt;
}

std::string_view powerActionName(PowerAction action) {
  for (const PowerActionInfo& a : kPowerActions) {
    if (a.action == action) return a.name;
  }
  return {};
}

std::vector<std::string_view> offeredActionNames(bool hibernateAvailable) {
  std::vector<std::string_view> names;
  for (const PowerActionInfo& a : kPowerActions) {
    if (!a.needsHibernation || hibernateAvailable) names.push_back(a.name);
  }
  return names;
}

}  // namespace quenmark
