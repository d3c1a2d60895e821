#include "core/schedule/period.h"

#include "base/text.h"

namespace quenmark {
namespace {

// A chosen day, or 0 for an item that names none.
unsigned dayItem(std::string_view item, RepeatKind kind) {
  item = trimSpaces(item);
  if (kind == RepeatKind::Weekly) {
    for (std::size_t i = 0; i < kWeekdayKeys.size(); ++i) {
      if (item == kWeekdayKeys[i]) return static_cast<unsigned>(i + 1);
    }
  }
  if (item.empty() || item.size() > 3) return 0;
  unsigned n = 0;
  for (char c : item) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + static_cast<unsigned>(c - '0');
  }
  const unsigned last = kind == RepeatKind::Weekly ? 7u : 31u;
  return n >= 1 && n <= last ? n : 0;
}

}  // namespace

DaySet readDayList(std::string_view period, RepeatKind kind) {
  DaySet days;
  if (kind != RepeatKind::Weekly && kind != RepeatKind::Monthly) return days;
  while (true) {
    const std::size_t comma = period.find(',');
    if (unsigned d = dayItem(period.substr(0, comma), kind)) days.set(d);
    if (comma == std::string_view::npos) break;
    period.remove_prefix(comma + 1);
  }
  return days;
}

std::string dayListText(const DaySet& days, RepeatKind kind) {
  std::string text;
  const unsigned last = kind == RepeatKind::Weekly ? 7 : kind == RepeatKind::Monthly ? 31 : 0;
  for (unsigned d = 1; d <= last; ++d) {
    if (!days.test(d)) continue;
    if (!text.empty()) text += ',';
    text += kind == RepeatKind::Weekly ? std::string(kWeekdayKeys[d - 1]) : std::to_string(d);
  }
  return text;
}

}  // namespace quenmark
