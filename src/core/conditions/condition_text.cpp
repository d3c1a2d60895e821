#include "core/conditions/condition_text.h"

#include <vector>

namespace quenmark {
namespace {

// A value not measured yet shows as "?".
std::string value(const std::optional<int>& v) { return v ? std::to_string(*v) : "?"; }

}  // namespace

std::string fillIn(std::string_view text, std::initializer_list<std::string> args) {
  const std::vector<std::string> a(args);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < a.size()) {
        out += a[n];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

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
