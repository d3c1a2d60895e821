#include "editor/wizard_logic.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "schedule/schedule_file.h"
#include "schedule/text_fields.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"

namespace quenmark::wizard {
namespace {

using namespace std::chrono;
using quenmark::testing::at;
using quenmark::testing::FakeFileSystem;

const std::string kFolder = "C:\\Quenmark";

// A United States short date, M/d/yyyy, as the regional code will give it.
std::string usDate(year_month_day d) {
  return std::to_string(static_cast<unsigned>(d.month())) + "/" +
         std::to_string(static_cast<unsigned>(d.day())) + "/" +
         std::to_string(static_cast<int>(d.year()));
}

std::optional<year_month_day> parseUsDate(const std::string& text) {
  unsigned m = 0, d = 0;
  int y = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u/%u/%d%c", &m, &d, &y, &tail) != 3) return std::nullopt;
  const year_month_day ymd{year{y}, month{m}, day{d}};
  if (!ymd.ok()) return std::nullopt;
  return ymd;
}

std::string catalogue(const std::string& key) {
  static const std::map<std::string, std::string> kTexts = {
      {"MSG_TITLEWIZARD", "Schedule Configuration"},
      {"MSG_NEWNAME", "Error: An item with that name already exists."},
      {"MSG_NONAME", "Error: You must choose a name for this schedule"},
      {"MSG_MONDAY", "Montag"},
      {"MSG_SUNDAY", "Sonntag"}};
  auto it = kTexts.find(key);
  return it == kTexts.end() ? "[" + key + "]" : it->second;
}

struct Shown {
  year_month_day date;
  int h, m, s;
};

class Wizard : public ::testing::Test {
 protected:
  Wizard() {
    fs.addDirectory(kFolder);
    fs.addDirectory(kFolder + "\\data");
  }

  WizardState open(local_seconds now, bool editMode = false, bool hibernate = false) {
    WizardState state;
    Form_Load(state, LoadInputs{now, hibernate, editMode, catalogue, parseUsDate, usDate}, current);
    return state;
  }

  OkResult ok(const WizardState& state, bool editMode = false,
              std::vector<std::string> names = {}) {
    return cmdOK_Click(state,
                       OkInputs{editMode, std::move(names), "Quenmark", catalogue, usDate, kFolder},
                       fs, codec);
  }

  std::string file(const std::string& name) const {
    return fs.contents(scheduleFilePath(kFolder, name));
  }
  std::string field(const std::string& name, const std::string& key) const {
    return getKeyValue(file(name), key);
  }
  bool wroteAnything() const {
    for (const auto& call : fs.calls) {
      if (call.rfind("replaceFile", 0) == 0 || call.rfind("deleteFile", 0) == 0) return true;
    }
    return false;
  }

  static Shown shown(const WizardState& s) {
    return {s.dtDate.value, s.dtTime.hours, s.dtTime.minutes, s.dtTime.seconds};
  }

  FakeFileSystem fs;
  Cp1252Codec codec;
  ScheduleRecord current;
};

void expectShown(const Shown& got, const Shown& want) {
  EXPECT_EQ(got.date, want.date);
  EXPECT_EQ(got.h, want.h);
  EXPECT_EQ(got.m, want.m);
  EXPECT_EQ(got.s, want.s);
}

constexpr year_month_day kToday{year{2026}, month{6}, day{3}};

TEST_F(Wizard, NewScheduleStartsTodayAtTheNextFullHour) {
  struct Case {
    int h, m, s, wantHour;
  } cases[] = {{14, 37, 12, 15}, {23, 37, 0, 0}, {0, 0, 0, 1}, {22, 59, 59, 23}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.h) + ":" + std::to_string(c.m));
    expectShown(shown(open(at(2026, 6, 3, c.h, c.m, c.s))), {kToday, c.wantHour, 0, 0});
  }
}

TEST_F(Wizard, LoadSetsTitleActionsAndTrees) {
  const WizardState s = open(at(2026, 6, 3, 9));
  EXPECT_EQ(s.caption, "Schedule Configuration");
  ASSERT_EQ(s.tvScheduleWeek.nodes.size(), 7u);
  EXPECT_EQ(s.tvScheduleWeek.nodes[0].key, "mon");
  EXPECT_EQ(s.tvScheduleWeek.nodes[0].text, "Montag");
  EXPECT_EQ(s.tvScheduleWeek.nodes[2].text, "[MSG_WEDNESDAY]");
  EXPECT_EQ(s.tvScheduleWeek.nodes[6].key, "sun");
  EXPECT_EQ(s.tvScheduleWeek.nodes[6].text, "Sonntag");
  ASSERT_EQ(s.tvScheduleMonth.nodes.size(), 31u);
  for (int n = 1; n <= 31; ++n) EXPECT_EQ(s.tvScheduleMonth.nodes[n - 1].text, std::to_string(n));
  // A new schedule leaves the controls as the window was created.
  EXPECT_TRUE(s.txtName.enabled);
  EXPECT_FALSE(s.chkScheduler.value);
  EXPECT_FALSE(s.chkRepeat.value || s.chkRepeat.enabled || s.optRepeat.enabled);
  EXPECT_TRUE(s.optRepeat.values[0]);
  EXPECT_FALSE(s.tvScheduleWeek.visible || s.tvScheduleMonth.visible);
}

TEST_F(Wizard, ActionListProposesHibernateFirstOnlyWhenAvailable) {
  const WizardState with = open(at(2026, 6, 3, 9), false, true);
  const WizardState without = open(at(2026, 6, 3, 9), false, false);
  EXPECT_EQ(with.cbShutdown.items,
            (std::vector<std::string>{"Hibernate", "Shut Down", "Reboot", "Log Off", "Stand by"}));
  EXPECT_EQ(with.cbShutdown.text, "Hibernate");
  EXPECT_EQ(without.cbShutdown.items,
            (std::vector<std::string>{"Shut Down", "Reboot", "Log Off", "Stand by"}));
  EXPECT_EQ(without.cbShutdown.text, "Shut Down");
}

// Each row: a starting state, one handler or setter, and the dependent controls after it.
struct Dependent {
  bool pickers, repeatEnabled, repeatValue, options, week, month;
  friend bool operator==(const Dependent&, const Dependent&) = default;
  friend void PrintTo(const Dependent& d, std::ostream* os) {
    *os << "{pickers " << d.pickers << ", repeat enabled " << d.repeatEnabled << ", repeat "
        << d.repeatValue << ", options " << d.options << ", week " << d.week << ", month "
        << d.month << "}";
  }
};

Dependent dependentOf(const WizardState& s) {
  EXPECT_EQ(s.dtDate.enabled, s.dtTime.enabled);
  return {s.dtDate.enabled,    s.chkRepeat.enabled,      s.chkRepeat.value,
          s.optRepeat.enabled, s.tvScheduleWeek.visible, s.tvScheduleMonth.visible};
}

WizardState stateWith(bool scheduler, bool repeat, int option, bool week, bool month,
                      bool enabledControls) {
  WizardState s;
  s.chkScheduler.value = scheduler;
  s.chkRepeat.value = repeat;
  s.optRepeat.values = {option == 0, option == 1, option == 2};
  s.tvScheduleWeek.visible = week;
  s.tvScheduleMonth.visible = month;
  s.dtDate.enabled = s.dtTime.enabled = s.chkRepeat.enabled = s.optRepeat.enabled = enabledControls;
  return s;
}

TEST(WizardDependentState, FollowsEachClick) {
  struct Case {
    const char* what;
    WizardState start;
    std::function<void(WizardState&)> click;
    Dependent want;
  };
  const auto opt = [](int i) { return [i](WizardState& s) { optRepeat_Click(s, i); }; };
  const Case cases[] = {
      // clang-format off
      // start: scheduler, repeat, option, week shown, month shown, dependents enabled
      // want: pickers enabled, repeat enabled, repeat, options enabled, week shown, month shown
      {"scheduler on, repeat clear", stateWith(true, false, 1, false, false, false),
       chkScheduler_Click, {true, true, false, false, false, false}},
      {"scheduler on, weekly", stateWith(true, true, 1, false, false, false),
       chkScheduler_Click, {true, true, true, true, true, false}},
      {"scheduler on, monthly", stateWith(true, true, 2, false, false, false),
       chkScheduler_Click, {true, true, true, true, false, true}},
      {"scheduler off keeps repeat's check", stateWith(false, true, 2, true, true, true),
       chkScheduler_Click, {false, false, true, false, false, false}},
      {"repeat on, daily", stateWith(true, true, 0, false, false, true),
       chkRepeat_Click, {true, true, true, true, false, false}},
      {"repeat on, weekly", stateWith(true, true, 1, false, false, true),
       chkRepeat_Click, {true, true, true, true, true, false}},
      {"repeat on, monthly: week keeps its state", stateWith(true, true, 2, true, false, true),
       chkRepeat_Click, {true, true, true, true, true, true}},
      {"repeat off", stateWith(true, false, 1, true, true, true),
       chkRepeat_Click, {true, true, false, false, false, false}},
      {"daily hides both", stateWith(true, true, 0, true, true, true),
       opt(0), {true, true, true, true, false, false}},
      {"weekly", stateWith(true, true, 1, false, true, true),
       opt(1), {true, true, true, true, true, false}},
      {"monthly", stateWith(true, true, 2, true, false, true),
       opt(2), {true, true, true, true, false, true}},
      {"repeat set from code runs its click", stateWith(true, false, 1, false, false, false),
       [](WizardState& s) { setRepeatChecked(s, true); }, {false, false, true, true, true, false}},
      {"an unchanged value runs nothing", stateWith(true, true, 1, false, false, false),
       [](WizardState& s) { setSchedulerChecked(s, true); },
       {false, false, true, false, false, false}},
      {"monthly selected from code", stateWith(true, true, 1, true, false, true),
       [](WizardState& s) { selectRepeat(s, 2); }, {true, true, true, true, false, true}},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardState s = c.start;
    c.click(s);
    EXPECT_EQ(dependentOf(s), c.want);
  }
}

TEST(WizardDependentState, SelectingAnOptionClearsTheOthers) {
  WizardState s;
  selectRepeat(s, 2);
  EXPECT_EQ(s.optRepeat.values, (std::array<bool, 3>{false, false, true}));
  selectRepeat(s, 3);  // no such button
  EXPECT_EQ(s.optRepeat.values, (std::array<bool, 3>{false, false, true}));
}

TEST_F(Wizard, MonthNodeClickFlipsExactlyOnce) {
  WizardState s = open(at(2026, 6, 3, 9));
  tvScheduleMonth_NodeClick(s, 15);
  EXPECT_TRUE(s.tvScheduleMonth.nodes[14].checked);
  tvScheduleMonth_NodeClick(s, 15);
  EXPECT_FALSE(s.tvScheduleMonth.nodes[14].checked);
  tvScheduleMonth_NodeClick(s, 0);
  tvScheduleMonth_NodeClick(s, 32);
  for (const TreeNode& n : s.tvScheduleMonth.nodes) EXPECT_FALSE(n.checked);
}

// A new schedule filled in as a user would: name, start on, repeat on with `option`.
WizardState filledIn(WizardState s, int option) {
  s.txtName.text = "night";
  s.cbShutdown.text = "Reboot";
  s.dtTime = {7, 5, 0, true};
  setSchedulerChecked(s, true);
  setRepeatChecked(s, true);
  selectRepeat(s, option);
  return s;
}

TEST_F(Wizard, DayListFollowsNodeOrderNotClickOrder) {
  struct Case {
    const char* what;
    int option;
    std::vector<int> weekChecks, monthClicks;
    std::string want;
  } cases[] = {
      {"weekly tue then mon", 1, {2, 1}, {}, "mon,tue"},
      {"monthly 15 then 1", 2, {}, {15, 1}, "1,15"},
      {"weekly none", 1, {}, {3}, ""},
      {"monthly none", 2, {5}, {}, ""},
      {"monthly clicked twice", 2, {}, {31, 4, 31}, "4"},
      {"daily ignores the trees", 0, {1}, {1}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WizardState s = filledIn(open(at(2026, 6, 3, 14, 37)), c.option);
    for (int n : c.weekChecks) s.tvScheduleWeek.nodes[n - 1].checked = true;
    for (int n : c.monthClicks) tvScheduleMonth_NodeClick(s, n);
    ASSERT_TRUE(ok(s).saved);
    EXPECT_EQ(field("night", "Period"), c.want);
    EXPECT_EQ(field("night", "SAccurancy"), std::to_string(c.option));
    EXPECT_EQ(field("night", "StartDate"), "6/3/2026");
    EXPECT_EQ(field("night", "StartTime"), "07:05:00");
    EXPECT_EQ(field("night", "Repeat"), "-1");
  }
}

TEST(WizardRecord, RepetitionKindIsTheFirstSelectedOption) {
  const struct {
    std::array<bool, 3> values;
    std::int16_t want;
  } cases[] = {{{false, true, true}, 1}, {{false, false, true}, 2}, {{false, false, false}, 0}};
  for (const auto& c : cases) {
    WizardState s;
    s.chkScheduler.value = s.chkRepeat.value = true;
    s.optRepeat.values = c.values;
    EXPECT_EQ(buildRecord(s, usDate).SAccurancy, c.want);
  }
}

TEST_F(Wizard, SchedulerClearStoresNoTiming) {
  WizardState s = filledIn(open(at(2026, 6, 3, 14, 37)), 2);
  tvScheduleMonth_NodeClick(s, 9);
  setSchedulerChecked(s, false);
  ASSERT_TRUE(ok(s).saved);
  for (const char* key : {"StartDate", "StartTime", "Period", "LastRunTime"})
    EXPECT_EQ(field("night", key), "") << key;
  EXPECT_EQ(field("night", "Enabled"), "0");
  EXPECT_EQ(field("night", "Repeat"), "0");
  EXPECT_EQ(field("night", "SAccurancy"), "0");
  EXPECT_EQ(field("night", "ItemType"), "Reboot");
}

TEST_F(Wizard, RefusesTakenAndEmptyNamesWithoutWriting) {
  const std::vector<std::string> list = {"morning", "night", "caf\xC3\xA9"};  // café
  struct Case {
    std::string name;
    bool editMode;
    std::string want;  // empty: saved
  } cases[] = {
      {"Night", false, "Error: An item with that name already exists."},
      {"NIGHT", false, "Error: An item with that name already exists."},
      {"CAF\xC3\x89", false, "Error: An item with that name already exists."},  // CAFÉ
      {"", false, "Error: You must choose a name for this schedule"},
      {"", true, "Error: You must choose a name for this schedule"},
      {"nights", false, ""},
      {"   ", false, ""},
      {"Night", true, ""},  // editing replaces its own file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.name + "'");
    fs.calls.clear();
    WizardState s = open(at(2026, 6, 3, 9));
    s.txtName.text = c.name;
    const OkResult r = ok(s, c.editMode, list);
    EXPECT_EQ(r.saved, c.want.empty());
    EXPECT_EQ(wroteAnything(), c.want.empty());
    if (c.want.empty()) {
      EXPECT_FALSE(r.message);
      EXPECT_TRUE(fs.exists(scheduleFilePath(kFolder, c.name)));
    } else {
      ASSERT_TRUE(r.message);
      EXPECT_EQ(r.message->text, c.want);
      EXPECT_EQ(r.message->title, "Quenmark");
      EXPECT_EQ(r.message->buttons, MsgButtons::Ok);
    }
  }
}

TEST_F(Wizard, RefusesNamesThatCannotBeFileNamesBeforeWriting) {
  for (const char* name :
       {"a\\b", "..\\x", "a/b", "a:b", "a?b", "a*b", "a|b", "con", "LPT1.x", "tab\tname"}) {
    SCOPED_TRACE(name);
    fs.calls.clear();
    WizardState s = open(at(2026, 6, 3, 9));
    s.txtName.text = name;
    const OkResult r = ok(s);
    EXPECT_FALSE(r.saved);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text.rfind("Error 123 - ", 0), 0u) << r.message->text;
    EXPECT_EQ(r.message->title, "Quenmark");
    EXPECT_FALSE(wroteAnything());
  }
}

TEST_F(Wizard, FailedSaveKeepsTheWizardOpenAndTheOldFile) {
  fs.addFile(scheduleFilePath(kFolder, "night"), "old contents");
  current = {"night", "Log Off", "", true, "12/1/2025", "22:30:00", false, 0, ""};
  WizardState s = open(at(2026, 6, 3, 9), true);
  fs.failNext("replaceFile", SysError{5, "Access is denied."});
  const OkResult r = ok(s, true);
  EXPECT_FALSE(r.saved);
  ASSERT_TRUE(r.message);
  EXPECT_EQ(r.message->text, "Error 5 - Access is denied.");
  EXPECT_EQ(r.message->title, "Quenmark");
  EXPECT_EQ(file("night"), "old contents");
  // The input is still there: OK again succeeds once the cause is gone.
  EXPECT_TRUE(ok(s, true).saved);
  EXPECT_EQ(field("night", "ItemType"), "Log Off");
}

TEST_F(Wizard, EditingRoundTripsEveryField) {
  const ScheduleRecord records[] = {
      {"weekly", "Shut Down", "", true, "12/1/2025", "22:30:00", true, 1, "mon,wed,sun"},
      {"monthly", "Hibernate", "", true, "2/29/2028", "00:00:59", true, 2, "1,15,31"},
      {"daily", "Stand by", "", true, "1/9/2026", "07:05:00", true, 0, ""},
      {"once", "Log Off", "", true, "12/31/2026", "23:59:00", false, 0, ""},
      {"off", "Reboot", "", false, "", "", false, 0, ""},
  };
  for (const ScheduleRecord& want : records) {
    SCOPED_TRACE(want.Name);
    current = want;
    current.LastRunTime = "12/2/2025 22:30";  // as the list shows it; never written back
    fs.addFile(scheduleFilePath(kFolder, want.Name), "old");
    const WizardState s = open(at(2026, 6, 3, 14, 37), true);
    EXPECT_FALSE(s.txtName.enabled);
    ASSERT_TRUE(ok(s, true, {want.Name}).saved);
    EXPECT_EQ(file(want.Name), codec.utf8ToAnsi(scheduleFileText(want)));
  }
}

TEST_F(Wizard, EditingShowsTheScheduleControls) {
  current = {"night", "Reboot", "", true, "12/1/2025", "22:30:00", true, 2, "1,15"};
  const WizardState s = open(at(2026, 6, 3, 14, 37), true);
  EXPECT_EQ(s.txtName.text, "night");
  EXPECT_EQ(s.cbShutdown.text, "Reboot");
  expectShown(shown(s), {year{2025} / 12 / 1, 22, 30, 0});
  EXPECT_TRUE(s.chkScheduler.value);
  EXPECT_EQ(dependentOf(s), (Dependent{true, true, true, true, false, true}));
  EXPECT_EQ(s.optRepeat.values, (std::array<bool, 3>{false, false, true}));
}

TEST_F(Wizard, EditingADisabledScheduleShowsTodayAndTheCurrentHour) {
  current = {"night", "Reboot", "", false, "12/1/2025", "22:30:00", true, 1, "mon"};
  const WizardState s = open(at(2026, 6, 3, 14, 37, 12), true);
  expectShown(shown(s), {kToday, 14, 0, 0});
  EXPECT_FALSE(s.chkScheduler.value);
  EXPECT_FALSE(s.chkRepeat.value);
  EXPECT_EQ(current.StartTime, "22:30:00");
}

TEST_F(Wizard, EditingAnEnabledScheduleWithoutStartTimeShowsNow) {
  current = {"night", "Reboot", "", true, "12/1/2025", "", false, 0, ""};
  const WizardState s = open(at(2026, 6, 3, 14, 37, 12), true);
  expectShown(shown(s), {year{2025} / 12 / 1, 14, 37, 12});
  EXPECT_EQ(current.StartTime, "6/3/2026 14:37:12");
}

TEST_F(Wizard, HandEditedValuesAreSkippedNotFatal) {
  struct Case {
    const char* what;
    ScheduleRecord record;
    Shown want;
    std::vector<int> week, month;  // checked node numbers
  } cases[] = {
      {"unknown weekday keys",
       {"x", "Reboot", "", true, "1/2/2026", "5:06", true, 1, "mon,Tue,xyz,,sun,mon"},
       {year{2026} / 1 / 2, 5, 6, 0},
       {1, 7},
       {}},
      {"odd month days",
       {"x", "Reboot", "", true, "junk", "25:00:00", true, 2, "0,1,32,x,015, 7,-3,1.5,99999999999"},
       {kToday, 15, 0, 0},
       {},
       {1, 7, 15}},
      {"unknown repetition kind",
       {"x", "Reboot", "", true, "", "1:2:3:4", true, 7, "1,mon"},
       {kToday, 15, 0, 0},
       {},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    current = c.record;
    const WizardState s = open(at(2026, 6, 3, 14, 37), true);
    expectShown(shown(s), c.want);
    std::vector<int> week, month;
    for (int n = 1; n <= 7; ++n)
      if (s.tvScheduleWeek.nodes[n - 1].checked) week.push_back(n);
    for (int n = 1; n <= 31; ++n)
      if (s.tvScheduleMonth.nodes[n - 1].checked) month.push_back(n);
    EXPECT_EQ(week, c.week);
    EXPECT_EQ(month, c.month);
    EXPECT_TRUE(s.chkRepeat.value);
  }
}

}  // namespace
}  // namespace quenmark::wizard
