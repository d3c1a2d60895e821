#include "core/conditions/condition_text.h"

#include "base/text.h"

namespace quenmark {
namespace {

// A value not measured yet shows as "?".
std::string value(const std::optional<int>& v) { return v ? std::to_string(*v) : "?"; }

}  // namespace

std::string describeCondition(const Condition& c, const ConditionStatus& s,
                              const ConditionMessages& message) {
  auto msg = [&](const char* key) { return message ? message(key) : std::string(); };
  const std::string minutes = std::to_string(c.minutes), limit = std::to_string(c.limit);
  std::string what;
  switch (c.kind) {
    case ConditionKind::ProgramEnds:
      what = fillIn(msg(s.notStarted ? "MSG_WHENNOTSTARTED" : "MSG_WHENENDS"), {c.fileName});
      break;
    case ConditionKind::NoInput:
      what = fillIn(msg("MSG_WHENIDLE"), {minutes, std::to_string(s.minutesSoFar)});
      break;
    case ConditionKind::ProcessorBelow:
      what = fillIn(msg("MSG_WHENCPU"),
                    {value(s.present), std::to_string(s.minutesSoFar), minutes, limit});
      break;
    case ConditionKind::NetworkBelow:
      what = fillIn(msg("MSG_WHENNETWORK"),
                    {value(s.present), std::to_string(s.minutesSoFar), minutes, limit});
      break;
    case ConditionKind::BatteryBelow:
      what = fillIn(msg("MSG_WHENBATTERY"), {value(s.present), limit});
      break;
  }
  return fillIn(msg("MSG_WHENAWAKE"), {what});
}

}  // namespace quenmark
