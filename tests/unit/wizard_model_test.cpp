#include "core/wizard/wizard_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/schedule/next_run.h"
#include "core/schedule/schedule_file.h"
#include "core/schedule/text_fields.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"

namespace quenmark::wizard {
namespace {

using namespace std::chrono;
using quenmark::testing::at;
using quenmark::testing::FakeFileSystem;

const std::string kFolder = "C:\\Quenmark";
const RegionalFormats kUs{"M/d/yyyy"};
constexpr year_month_day kToday{year{2026}, month{6}, day{3}};

std::vector<unsigned> daysOf(const DaySet& set) {
  std::vector<unsigned> days;
  for (unsigned d = 1; d < set.size(); ++d)
    if (set.test(d)) days.push_back(d);
  return days;
}

TEST(WizardView, FollowsTheScheduleItShows) {
  struct Case {
    bool hasStart, repeat;
    RepeatKind kind;
    bool editing;
    WizardView want;  // name, pickers, repeat box, kinds, week, month
  } cases[] = {
      {false, false, RepeatKind::Daily, false, {true, false, false, false, false, false}},
      {false, true, RepeatKind::Weekly, false, {true, false, false, false, false, false}},
      {true, false, RepeatKind::Monthly, false, {true, true, true, false, false, false}},
      {true, true, RepeatKind::Daily, false, {true, true, true, true, false, false}},
      {true, true, RepeatKind::Weekly, true, {false, true, true, true, true, false}},
      {true, true, RepeatKind::Monthly, false, {true, true, true, true, false, true}},
  };
  for (const Case& c : cases) {
    WizardModel m;
    m.hasStart = c.hasStart;
    m.repeat = c.repeat;
    m.kind = c.kind;
    m.editing = c.editing;
    EXPECT_EQ(viewOf(m), c.want) << c.hasStart << c.repeat << static_cast<int>(c.kind);
  }
}

TEST(WizardModel, ANewScheduleStartsTodayAtTheNextFullHour) {
  const struct {
    int h, m;
    seconds want;
  } cases[] = {{14, 37, 15h}, {23, 37, 0h}, {0, 0, 1h}, {22, 59, 23h}};
  for (const auto& c : cases) {
    const WizardModel m = newSchedule(at(2026, 6, 3, c.h, c.m, 12), "Reboot");
    EXPECT_EQ(m.date, kToday) << c.h;
    EXPECT_EQ(m.time, c.want) << c.h;
    EXPECT_EQ(m.action, "Reboot");
    EXPECT_FALSE(m.hasStart || m.repeat || m.editing);
  }
}

// The scheduler's reading of a hand-edited file and the wizard's showing agree on every row,
// and OK writes the canonical form, which fires exactly as the hand-edited file did.
TEST(WizardModel, HandEditedFilesShowWhatFiresAndSaveCanonically) {
  struct Case {
    const char* startTime;
    std::int16_t kind;
    const char* period;
    std::vector<unsigned> days;  // what both show
    const char* savedTime;
    const char* savedPeriod;
  } cases[] = {
      {"22:30:00", 1, "mon, fri", {1, 5}, "22:30:00", "mon,fri"},
      {"22:30 ", 1, "2", {2}, "22:30:00", "tue"},
      {" 7:5", 1, "sun,mon,MON,xyz,,8", {1, 7}, "07:05:00", "mon,sun"},
      {"08:00:00", 1, " wed ,Wed,3", {3}, "08:00:00", "wed"},
      {"08:00:00", 2, "15, 1,015,32,0,x", {1, 15}, "08:00:00", "1,15"},
      {"08:00:00", 2, "", {}, "08:00:00", ""},
      {"08:00:00", 0, "mon", {}, "08:00:00", ""},
  };
  const local_seconds now = at(2026, 6, 3, 14, 37);  // a Wednesday
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.startTime) + " / " + c.period);
    ScheduleRecord file{"night", "Reboot", "", true, "6/1/2026", c.startTime, true, c.kind,
                        c.period};
    const ScheduleRecord read = readScheduleText("night", scheduleFileText(file));
    const auto rule = ruleOf(read, kUs);
    ASSERT_TRUE(rule);
    const WizardModel m = editSchedule(read, now, kUs);
    EXPECT_EQ(daysOf(rule->days), c.days) << "the scheduler";
    const DaySet& shown = c.kind == 2 ? m.monthDays : m.weekDays;
    EXPECT_EQ(daysOf(shown), c.kind == 0 ? std::vector<unsigned>{} : c.days) << "the wizard";
    EXPECT_EQ(floor<minutes>(m.time), rule->startMinute);

    const ScheduleRecord saved = recordOf(m, kUs);
    EXPECT_EQ(saved.StartTime, c.savedTime);
    EXPECT_EQ(saved.Period, c.savedPeriod);
    EXPECT_EQ(nextRunAfter(*ruleOf(saved, kUs), now, kUs).at, nextRunAfter(*rule, now, kUs).at);
  }
}

TEST(WizardModel, EditingShowsTheClockWhereTheFileHasNoTime) {
  const local_seconds now = at(2026, 6, 3, 14, 37, 12);
  const struct {
    ScheduleRecord r;
    year_month_day date;
    seconds time;
    bool hasStart;
  } cases[] = {
      {{"off", "Reboot", "", false, "12/1/2025", "22:30:00", true, 1, "mon"}, kToday, 14h, false},
      {{"no time", "Reboot", "", true, "12/1/2025", "", false, 0, ""},
       year{2025} / 12 / 1,
       14h + 37min + 12s,
       true},
      {{"junk", "Reboot", "", true, "junk", "25:00:00", false, 0, ""}, kToday, 15h, true},
  };
  for (const auto& c : cases) {
    const WizardModel m = editSchedule(c.r, now, kUs);
    EXPECT_EQ(m.date, c.date) << c.r.Name;
    EXPECT_EQ(m.time, c.time) << c.r.Name;
    EXPECT_EQ(m.hasStart, c.hasStart) << c.r.Name;
    EXPECT_TRUE(m.editing);
  }
}

TEST(WizardModel, EditingRoundTripsEveryFieldAndDropsTimingWithoutAStart) {
  const ScheduleRecord records[] = {
      {"weekly", "Shut Down", "", true, "12/1/2025", "22:30:00", true, 1, "mon,wed,sun"},
      {"monthly", "Hibernate", "", true, "2/29/2028", "00:00:59", true, 2, "1,15,31"},
      {"daily", "Stand by", "", true, "1/9/2026", "07:05:00", true, 0, ""},
      {"once", "Power Off", "", true, "12/31/2026", "23:59:00", false, 0, ""},
      {"off", "Reboot", "", false, "", "", false, 0, ""},
  };
  for (ScheduleRecord want : records) {
    ScheduleRecord shown = want;
    shown.LastRunTime = "12/2/2025 22:30";  // as the list shows it; never written back
    EXPECT_EQ(recordOf(editSchedule(shown, at(2026, 6, 3, 9), kUs), kUs), want) << want.Name;
  }
  WizardModel m = editSchedule(records[1], at(2026, 6, 3, 9), kUs);
  m.hasStart = false;
  EXPECT_EQ(recordOf(m, kUs), (ScheduleRecord{"monthly", "Hibernate"}));
}

class WizardOk : public ::testing::Test {
 protected:
  WizardOk() { fs.addDirectory(kFolder + "\\data"); }

  OkResult ok(const WizardModel& m, std::vector<std::string> names = {}) {
    return cmdOK_Click(m, {std::move(names), "Quenmark", message, kUs, kFolder}, fs, codec);
  }
  static WizardModel named(std::string name, bool editing = false) {
    WizardModel m = newSchedule(at(2026, 6, 3, 9), "Reboot");
    m.name = std::move(name);
    m.editing = editing;
    return m;
  }
  static std::string message(const std::string& key) { return "[" + key + "]"; }
  std::string file(const std::string& name) const {
    return fs.contents(scheduleFilePath(kFolder, name));
  }

  FakeFileSystem fs;
  Cp1252Codec codec;
};

TEST_F(WizardOk, RefusesTakenEmptyAndImpossibleNamesWithoutWriting) {
  const std::vector<std::string> list = {"night", "caf\u00e9", "\u0490anok", "\u03ac\u03ad"};
  fs.addFile(kFolder + "\\data\\Hidden.sch", "x", attr::kHidden);
  const struct {
    std::string name;
    bool editing;
    std::string want;  // empty: saved
  } cases[] = {
      {"NIGHT", false, "[MSG_NEWNAME]"},
      {"CAF\u00c9", false, "[MSG_NEWNAME]"},
      {"\u0491ANOK", false, "[MSG_NEWNAME]"},  // Ukrainian ghe with upturn
      {"\u0386\u0388", false, "[MSG_NEWNAME]"},  // Greek with tonos
      {"hidden", false, "[MSG_NEWNAME]"},        // in the folder, not in the list
      {"", false, "[MSG_NONAME]"},
      {"a\\b", false, "Error 123 - "},
      {"LPT1.x", false, "Error 123 - "},
      {"nights", false, ""},
      {"   ", false, ""},
      {"night", true, ""},  // editing replaces its own file
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.name + "'");
    fs.calls.clear();
    const OkResult r = ok(named(c.name, c.editing), list);
    EXPECT_EQ(r.saved, c.want.empty());
    if (c.want.empty()) {
      EXPECT_FALSE(r.message);
      EXPECT_TRUE(fs.exists(scheduleFilePath(kFolder, c.name)));
    } else {
      ASSERT_TRUE(r.message);
      EXPECT_EQ(r.message->text.substr(0, c.want.size()), c.want);
      EXPECT_EQ(r.message->title, "Quenmark");
      for (const std::string& call : fs.calls) EXPECT_NE(call.rfind("replaceFile", 0), 0u);
    }
  }
}

TEST_F(WizardOk, AFailedSaveKeepsTheOldFileAndTheInput) {
  fs.addFile(scheduleFilePath(kFolder, "night"), "old contents");
  const WizardModel m = named("night", true);
  fs.failNext("replaceFile", SysError{5, "Access is denied."});
  const OkResult r = ok(m);
  EXPECT_FALSE(r.saved);
  ASSERT_TRUE(r.message);
  EXPECT_EQ(r.message->text, "Error 5 - Access is denied.");
  EXPECT_EQ(file("night"), "old contents");
  EXPECT_TRUE(ok(m).saved);
  EXPECT_EQ(getKeyValue(file("night"), "ItemType"), "Reboot");
}

}  // namespace
}  // namespace quenmark::wizard
