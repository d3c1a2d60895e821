#include "core/conditions/condition.h"

#include "base/text.h"

namespace quenmark {

NumberRange limitRange(ConditionKind kind) {
  return kind == ConditionKind::NetworkBelow ? kNetworkLimit : kPercentLimit;
}

bool usesMinutes(ConditionKind kind) {
  return kind == ConditionKind::NoInput || kind == ConditionKind::ProcessorBelow ||
         kind == ConditionKind::NetworkBelow;
}

bool usesLimit(ConditionKind kind) {
  return kind == ConditionKind::ProcessorBelow || kind == ConditionKind::NetworkBelow ||
         kind == ConditionKind::BatteryBelow;
}

std::string programFileName(std::string_view typed) {
  // Both separators: a name pasted from Explorer or typed by hand.
  std::string_view name = trimBlanks(typed);
  if (const auto slash = name.find_last_of("\\/"); slash != std::string_view::npos) {
    name = trimBlanks(name.substr(slash + 1));
  }
  if (name.empty()) return {};
  std::string out(name);
  if (out.find('.') == std::string::npos) out += ".exe";
  return out;
}

bool validCondition(const Condition& c) {
  if (c.kind == ConditionKind::ProgramEnds) {
    return c.processId != 0 || !programFileName(c.fileName).empty();
  }
  if (usesMinutes(c.kind) && !kConditionMinutes.contains(c.minutes)) return false;
  if (usesLimit(c.kind) && !limitRange(c.kind).contains(c.limit)) return false;
  return true;
}

}  // namespace quenmark
