#include "editor/wizard_logic.h"

#include <string_view>
#include <utility>

#include "schedule/schedule_file.h"

namespace quenmark::wizard {
namespace {

using namespace std::chrono;

struct Weekday {
  const char* key;
  const char* messageKey;
};
constexpr std::array<Weekday, 7> kWeek = {{{"mon", "MSG_MONDAY"},
                                           {"tue", "MSG_TUESDAY"},
                                           {"wed", "MSG_WEDNESDAY"},
                                           {"thu", "MSG_THURSDAY"},
                                           {"fri", "MSG_FRIDAY"},
                                           {"sat", "MSG_SATURDAY"},
                                           {"sun", "MSG_SUNDAY"}}};
constexpr int kMonthDays = 31;

// Upper case for the letters of the Latin, Greek and Cyrillic blocks: a name the file
// system would take for an existing one ("café" against "CAFÉ") must count as taken.
char32_t upperCodePoint(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;  // no simple pair
    const bool oddIsUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool isLower = oddIsUpper ? c % 2 == 0 : c % 2 == 1;
    return isLower ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

std::string upperCase(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) appendUtf8(out, upperCodePoint(nextCodePoint(s, i)));
  return out;
}

std::string twoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

std::string timeText(int h, int m, int s) {
  return twoDigits(h) + ":" + twoDigits(m) + ":" + twoDigits(s);
}

std::vector<std::string_view> splitAtComma(std::string_view s) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto comma = s.find(',');
    parts.push_back(s.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    s.remove_prefix(comma + 1);
  }
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A day of the month written as a whole number; nothing for any other text, so that a
// hand-edited Period cannot reach a node that does not exist.
std::optional<int> monthDay(std::string_view text) {
  text = trimBlanks(text);
  if (text.empty()) return std::nullopt;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
    if (n > kMonthDays) return std::nullopt;
  }
  if (n < 1) return std::nullopt;
  return n;
}

// "H:mm" or "H:mm:ss" on the 24-hour clock, as StartTime is written.
std::optional<TimePicker> parseTimeOfDay(std::string_view text) {
  std::array<int, 3> fields{};
  std::size_t count = 0;
  std::string_view rest = text;
  while (count < fields.size()) {
    const auto colon = rest.find(':');
    const std::string_view digits = rest.substr(0, colon);
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    fields[count++] = n;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
    if (count == fields.size()) return std::nullopt;  // a fourth field
  }
  if (count < 2 || fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
  TimePicker t;
  t.hours = fields[0];
  t.minutes = fields[1];
  t.seconds = fields[2];
  return t;
}

void buildTrees(WizardState& state, const MessageLookup& message) {
  state.tvScheduleWeek.nodes.clear();
  for (const Weekday& d : kWeek)
    state.tvScheduleWeek.nodes.push_back({d.key, message(d.messageKey)});
  state.tvScheduleMonth.nodes.clear();
  for (int n = 1; n <= kMonthDays; ++n)
    state.tvScheduleMonth.nodes.push_back({"", std::to_string(n)});
}

void checkPeriodDays(WizardState& state, std::int16_t kind, std::string_view period) {
  for (std::string_view item : splitAtComma(period)) {
    if (kind == 1) {
      for (std::size_t i = 0; i < kWeek.size(); ++i) {
        if (item == kWeek[i].key && i < state.tvScheduleWeek.nodes.size())
          state.tvScheduleWeek.nodes[i].checked = true;
      }
    } else if (kind == 2) {
      const auto day = monthDay(item);
      if (day && *day <= static_cast<int>(state.tvScheduleMonth.nodes.size()))
        state.tvScheduleMonth.nodes[*day - 1].checked = true;
    }
  }
}

void hideTrees(WizardState& state) {
  state.tvScheduleWeek.visible = false;
  state.tvScheduleMonth.visible = false;
}

std::int16_t repetitionKind(const OptionArray& opt) {
  for (std::size_t i = 0; i < opt.values.size(); ++i) {
    if (opt.values[i]) return static_cast<std::int16_t>(i);
  }
  return 0;
}

std::string dayList(const TreeView& tree, bool useKeys) {
  std::string list;
  for (const TreeNode& node : tree.nodes) {
    if (!node.checked) continue;
    if (!list.empty()) list += ',';
    list += useKeys ? node.key : node.text;
  }
  return list;
}

OkResult refuse(std::string text, const OkInputs& in) {
  return OkResult{MessageBoxRequest{std::move(text), in.programTitle, MsgButtons::Ok}, false};
}

}  // namespace

void Form_Load(WizardState& state, const LoadInputs& in, ScheduleRecord& currentSchedule) {
  state.caption = in.message("MSG_TITLEWIZARD");

  state.cbShutdown.items.clear();
  if (in.hibernateAvailable) state.cbShutdown.items.push_back("Hibernate");
  for (const char* action : {"Shut Down", "Reboot", "Log Off", "Stand by"})
    state.cbShutdown.items.push_back(action);
  state.cbShutdown.text = state.cbShutdown.items.front();

  const local_days today = floor<days>(in.now);
  const hh_mm_ss<seconds> clock{in.now - today};
  const int hour = static_cast<int>(clock.hours().count());
  state.dtDate.value = year_month_day{today};
  // The next full hour of today: after 23:00 the date stays and the hour wraps to 0.
  state.dtTime.hours = (hour + 1) % 24;

  buildTrees(state, in.message);

  if (!in.editMode) return;
  state.txtName.enabled = false;
  state.txtName.text = currentSchedule.Name;
  state.cbShutdown.text = currentSchedule.ItemType;

  if (!currentSchedule.Enabled) {
    setSchedulerChecked(state, false);
    state.dtDate.value = year_month_day{today};
    state.dtTime.hours = hour;
    return;
  }

  if (currentSchedule.StartTime.empty()) {
    const int minute = static_cast<int>(clock.minutes().count());
    const int second = static_cast<int>(clock.seconds().count());
    currentSchedule.StartTime =
        in.formatDate(year_month_day{today}) + " " + timeText(hour, minute, second);
    state.dtTime.hours = hour;
    state.dtTime.minutes = minute;
    state.dtTime.seconds = second;
  } else if (auto t = parseTimeOfDay(currentSchedule.StartTime)) {
    // A time that does not convert leaves the next full hour in place.
    state.dtTime.hours = t->hours;
    state.dtTime.minutes = t->minutes;
    state.dtTime.seconds = t->seconds;
  }
  if (auto date = in.parseDate(currentSchedule.StartDate)) state.dtDate.value = *date;

  if (currentSchedule.Repeat) {
    selectRepeat(state, currentSchedule.SAccurancy);
    checkPeriodDays(state, currentSchedule.SAccurancy, currentSchedule.Period);
    setRepeatChecked(state, true);
  } else {
    setRepeatChecked(state, false);
  }
  setSchedulerChecked(state, true);
}

void chkScheduler_Click(WizardState& state) {
  const bool on = state.chkScheduler.value;
  state.dtDate.enabled = on;
  state.dtTime.enabled = on;
  state.chkRepeat.enabled = on;
  if (on) {
    chkRepeat_Click(state);
  } else {
    state.optRepeat.enabled = false;
    hideTrees(state);
  }
}

void chkRepeat_Click(WizardState& state) {
  const bool on = state.chkRepeat.value;
  state.optRepeat.enabled = on;
  if (!on) {
    hideTrees(state);
    return;
  }
  if (state.optRepeat.values[1]) state.tvScheduleWeek.visible = true;
  if (state.optRepeat.values[2]) state.tvScheduleMonth.visible = true;
}

void optRepeat_Click(WizardState& state, int index) {
  hideTrees(state);
  if (index == 1) state.tvScheduleWeek.visible = true;
  if (index == 2) state.tvScheduleMonth.visible = true;
}

void tvScheduleMonth_NodeClick(WizardState& state, int node) {
  auto& nodes = state.tvScheduleMonth.nodes;
  if (node < 1 || node > static_cast<int>(nodes.size())) return;
  nodes[node - 1].checked = !nodes[node - 1].checked;
}

void setSchedulerChecked(WizardState& state, bool on) {
  if (state.chkScheduler.value == on) return;
  state.chkScheduler.value = on;
  chkScheduler_Click(state);
}

void setRepeatChecked(WizardState& state, bool on) {
  if (state.chkRepeat.value == on) return;
  state.chkRepeat.value = on;
  chkRepeat_Click(state);
}

void selectRepeat(WizardState& state, int index) {
  if (index < 0 || index >= static_cast<int>(state.optRepeat.values.size())) return;
  state.optRepeat.values = {};
  state.optRepeat.values[static_cast<std::size_t>(index)] = true;
  optRepeat_Click(state, index);
}

ScheduleRecord buildRecord(const WizardState& state, const DateFormatter& formatDate) {
  ScheduleRecord r;
  r.Name = state.txtName.text;
  r.ItemType = state.cbShutdown.text;
  r.Enabled = state.chkScheduler.value;
  if (!r.Enabled) return r;
  r.StartDate = formatDate(state.dtDate.value);
  r.StartTime = timeText(state.dtTime.hours, state.dtTime.minutes, state.dtTime.seconds);
  r.Repeat = state.chkRepeat.value;
  if (!r.Repeat) return r;
  r.SAccurancy = repetitionKind(state.optRepeat);
  if (r.SAccurancy == 1) r.Period = dayList(state.tvScheduleWeek, true);
  if (r.SAccurancy == 2) r.Period = dayList(state.tvScheduleMonth, false);
  return r;
}

OkResult cmdOK_Click(const WizardState& state, const OkInputs& in, FileSystem& fs,
                     const TextCodec& codec) {
  const std::string& name = state.txtName.text;
  if (!in.editMode) {
    const std::string wanted = upperCase(name);
    for (const std::string& existing : in.existingNames) {
      if (upperCase(existing) == wanted) return refuse(in.message("MSG_NEWNAME"), in);
    }
  }
  if (name.empty()) return refuse(in.message("MSG_NONAME"), in);
  // Checked before the save is tried, so that a refused name never reaches the file system.
  if (auto bad = validateScheduleName(name)) return refuse(bad->message(), in);
  // The save is atomic: on failure the old file is intact and the input is kept for
  // another try.
  if (auto failed =
          SaveScheduleFile(fs, codec, in.programFolder, buildRecord(state, in.formatDate)))
    return refuse(failed->message(), in);
  return OkResult{std::nullopt, true};
}

}  // namespace quenmark::wizard
