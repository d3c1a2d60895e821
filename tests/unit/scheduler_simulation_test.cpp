// Two simulated years of the scheduler driven tick by tick, checked against occurrences
// worked out here from the schedules' rules with plain calendar arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/schedule/schedule_file.h"
#include "core/schedule/scheduler.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using Ms = local_time<milliseconds>;
using testing::at;

constexpr const char* kFolder = "C:\\Quenmark";
constexpr const char* kPicture = "d. M. yyyy";

// A window timer in simulated time: due one interval after it is switched on.
class SimTimer final : public TimerSwitch {
 public:
  explicit SimTimer(const Ms& now) : now_(now) {}
  void setEnabled(bool on) override {
    if (on && !on_) due = now_ + milliseconds{ms_};
    on_ = on;
  }
  bool enabled() const override { return on_; }
  void setInterval(int ms) override { ms_ = ms; }
  int interval() const override { return ms_; }
  Ms due{};

 private:
  const Ms& now_;
  bool on_ = false;
  int ms_ = 0;
};

// ---- the oracle: calendar arithmetic of its own -----------------------------------------
bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysInMonth(int y, int m) {
  const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : lengths[m - 1];
}
// 1 January 2024 was a Monday; weekdays count Monday = 1 to Sunday = 7.
int weekdayOf(local_days d) {
  const long n = (d - local_days{2024y / 1 / 1}).count();
  return static_cast<int>(((n % 7) + 7) % 7) + 1;
}
int dayOfMonth(local_days d) { return static_cast<int>(unsigned{year_month_day{d}.day()}); }

struct FileSchedule {
  const char* name;
  const char* action;
  int code;
  year_month_day startDate;
  int h, m, s;
  int kind;  // -1 once, 0 daily, 1 weekly, 2 monthly
  const char* period;
  std::set<int> days;  // what the period means
};

const FileSchedule kFiles[] = {
    {"daily", "Reboot", 2, 2023y / 6 / 1, 6, 15, 0, 0, "", {}},
    {"daily late", "Log Off", 0, 2024y / 3 / 10, 23, 59, 30, 0, "", {}},
    {"daily seconds", "Reboot", 2, 2023y / 1 / 1, 12, 0, 59, 0, "", {}},
    {"mon fri", "Shut Down", 1, 2023y / 12 / 1, 22, 30, 0, 1, "mon,fri", {1, 5}},
    {"sundays", "Stand by", 6, 2023y / 1 / 1, 0, 0, 0, 1, "sun,xyz,9,Tue", {7}},
    {"wed from a saturday", "Hibernate", 5, 2024y / 6 / 1, 14, 14, 0, 1, "wed", {3}},
    {"29th", "Reboot", 2, 2023y / 1 / 1, 7, 7, 0, 2, "29", {29}},
    {"30th", "Reboot", 2, 2023y / 1 / 1, 8, 8, 0, 2, "30", {30}},
    {"31st", "Reboot", 2, 2023y / 1 / 1, 9, 9, 0, 2, "31", {31}},
    {"1 15 31", "Log Off", 0, 2023y / 1 / 1, 10, 10, 0, 2, "1,15,31", {1, 15, 31}},
    {"5th with junk", "Shut Down", 1, 2023y / 1 / 1, 11, 11, 0, 2, "0,32,abc,5", {5}},
    {"once", "Reboot", 2, 2024y / 5 / 5, 5, 5, 0, -1, "", {}},
    {"once asleep", "Reboot", 2, 2024y / 8 / 8, 8, 18, 0, -1, "", {}},
    {"once past", "Reboot", 2, 2023y / 1 / 1, 1, 1, 0, -1, "", {}},
    {"once late", "Stand by", 6, 2025y / 12 / 24, 18, 12, 0, -1, "", {}},
    {"far future", "Reboot", 2, 2030y / 1 / 1, 3, 3, 0, 0, "", {}},
};

struct Sleep {
  Ms from, to;
};
Ms ms(local_seconds t, int extraMs = 0) { return Ms{t} + milliseconds{extraMs}; }

const Sleep kSleeps[] = {
    {ms(at(2024, 2, 28, 22, 0, 10)), ms(at(2024, 3, 2, 9, 0, 10))},    // over 29 Feb and 1 March
    {ms(at(2024, 8, 7, 12, 0, 10)), ms(at(2024, 8, 9, 7, 0, 10))},     // over a one-time run
    {ms(at(2024, 10, 1, 6, 14, 10)), ms(at(2024, 10, 1, 6, 16, 10))},  // just over one daily run
    {ms(at(2024, 12, 31, 9, 9, 10)), ms(at(2025, 1, 2, 8, 0, 10))},    // after a run, over New Year
    {ms(at(2025, 3, 31, 9, 8, 50)), ms(at(2025, 3, 31, 9, 9, 20))},    // wakes inside a due minute
    {ms(at(2025, 6, 10, 20, 0, 10)), ms(at(2025, 7, 20, 20, 0, 10))},  // forty days
};

bool asleep(Ms t) {
  return std::any_of(std::begin(kSleeps), std::end(kSleeps),
                     [&](const Sleep& s) { return s.from <= t && t < s.to; });
}

// Scan ticks fall at 0.25 s and 30.25 s into each minute (every 500 ms in the dense first
// days) and once on waking; a minute is lived through when one of them lands in it.
const Ms kDenseEnd = ms(at(2024, 1, 4));
bool awake(LocalMinute m) {
  const Ms start{m};
  if (!asleep(start + milliseconds{250}) || !asleep(start + milliseconds{30250})) return true;
  return std::any_of(std::begin(kSleeps), std::end(kSleeps),
                     [&](const Sleep& s) { return s.to >= start && s.to < start + minutes{1}; });
}

struct Quick {
  Ms at;
  std::string item;
  std::string action;
  int code;
  local_seconds target;
};

local_seconds addDelay(local_seconds t, const std::string& item) {
  const std::map<std::string, int> minutesOf = {
      {"In 1 Minute", 1},    {"In 5 Minutes", 5},  {"in 15 Minutes", 15}, {"in 30 Minutes", 30},
      {"In 1 Hour", 60},     {"In 2 Hours", 120},  {"In 6 Hours", 360},   {"In 12 Hours", 720},
      {"In 1 Day", 1440},    {"In 2 Days", 2880},  {"In 5 Days", 7200},   {"In 1 Week", 10080},
      {"In 2 Weeks", 20160}, {"In 3 Weeks", 30240}};
  if (auto it = minutesOf.find(item); it != minutesOf.end()) return t + minutes{it->second};
  const local_days day = floor<days>(t);
  const year_month_day ymd{day};
  int y = int{ymd.year()}, mo = static_cast<int>(unsigned{ymd.month()}) + 1;
  if (mo == 13) {
    mo = 1;
    ++y;
  }
  const int d = std::min(dayOfMonth(day), daysInMonth(y, mo));
  return local_days{year{y} / mo / d} + (t - day);
}

TEST(SchedulerSimulation, TwoYearsEveryRunOnceInItsMinute) {
  const Ms start = ms(at(2024, 1, 1, 0, 0, 5));
  const Ms end = ms(at(2026, 1, 1));
  const std::vector<std::string> actions = {"Log Off", "Shut Down", "Reboot", "Hibernate",
                                            "Stand by"};
  const int codes[] = {0, 1, 2, 5, 6};

  // Quick entries every nine days, timed so that each falls due at 45 minutes past an hour.
  std::vector<Quick> quick;
  for (int k = 0;; ++k) {
    const std::string item{kQuickScheduleItems[1 + k % 15].item};
    const local_seconds probe = at(2024, 1, 2) + days{9 * k} + hours{(k * 7) % 24};
    if (Ms{probe} >= end - days{40}) break;
    const int shift = static_cast<int>(floor<minutes>(addDelay(probe, item) - probe).count() % 60);
    const local_seconds made = probe + minutes{(45 - shift + 60) % 60} + seconds{20};
    if (asleep(Ms{made})) continue;
    quick.push_back({Ms{made}, item, actions[k % 5], codes[k % 5], addDelay(made, item)});
  }
  for (auto [y, h] : {std::pair{2024, 13}, std::pair{2025, 13}}) {  // "In 1 Month" on 31 January
    const local_seconds made = at(y, 1, 31, h, 45, 20);
    quick.push_back({Ms{made}, "In 1 Month", "Reboot", 2, addDelay(made, "In 1 Month")});
  }
  std::sort(quick.begin(), quick.end(), [](const Quick& a, const Quick& b) { return a.at < b.at; });
  std::vector<Ms> reloads;
  for (Ms r = ms(at(2024, 3, 1, 16, 50, 40)); r < end; r += days{61}) {
    if (!asleep(r)) reloads.push_back(r);
  }

  // The occurrences that must fire, by minute.
  struct Expected {
    std::string name;
    int code;
    int fired = 0;
  };
  std::map<LocalMinute, Expected> expected;
  auto expect = [&](LocalMinute m, const std::string& name, int code) {
    if (m <= floor<minutes>(start) || Ms{m} >= end || !awake(m)) return;
    ASSERT_TRUE(expected.emplace(m, Expected{name, code}).second) << "two runs share a minute";
  };
  for (const FileSchedule& f : kFiles) {
    const LocalMinute first = local_days{f.startDate} + hours{f.h} + minutes{f.m};
    expect(first, f.name, f.code);
    if (f.kind < 0) continue;
    for (local_days d = floor<days>(start) - days{1}; Ms{d} < end; d += days{1}) {
      const bool chosen = f.kind == 0 || (f.kind == 1 && f.days.count(weekdayOf(d))) ||
                          (f.kind == 2 && f.days.count(dayOfMonth(d)));
      const LocalMinute m = d + hours{f.h} + minutes{f.m};
      if (chosen && m > first) expect(m, f.name, f.code);
    }
  }
  for (const Quick& q : quick) {
    const LocalMinute m = floor<minutes>(q.target);
    const bool reloaded =
        std::any_of(reloads.begin(), reloads.end(), [&](Ms r) { return r > q.at && r < Ms{m}; });
    if (!reloaded) expect(m, q.item, q.code);
  }
  ASSERT_GT(expected.size(), 2000u);

  // ---- the program, driven by its timers --------------------------------------------------
  Ms now = start;
  testing::FakeClock clock{floor<seconds>(now)};
  testing::FakeRegional regional{{kPicture, "HH:mm:ss", "AM", "PM"}};
  testing::FakeDialogs dialogs;
  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  fs.addDirectory(std::string(kFolder) + "\\data");
  for (const FileSchedule& f : kFiles) {
    ScheduleRecord r;
    r.Name = f.name;
    r.ItemType = f.action;
    r.Enabled = true;
    r.StartDate = formatShortDate(f.startDate, {kPicture});
    r.StartTime = formatTime24(hours{f.h} + minutes{f.m} + seconds{f.s});
    r.Repeat = f.kind >= 0;
    r.SAccurancy = static_cast<std::int16_t>(std::max(f.kind, 0));
    r.Period = f.period;
    ASSERT_FALSE(SaveScheduleFile(fs, codec, kFolder, r));
  }
  ScheduleList list;
  SimTimer scan(now), queue(now), action(now);
  struct Fire {
    Ms at;
    int code;
    bool force;
  };
  std::vector<Fire> fires;
  Scheduler engine{{list, scan, queue, action, clock, regional, dialogs, nullptr, nullptr,
                    [&](PowerAction a, bool force) -> Status {
                      fires.push_back({now, powerActionCode(a), force});
                      return std::nullopt;
                    }}};
  auto reload = [&] {
    loadScheduleList(list, fs, codec, kFolder, clock.now(), regional.formats());
  };
  reload();

  auto nextScan = [&](Ms t) {
    if (t < kDenseEnd) return t + milliseconds{500};
    const Ms minute{floor<minutes>(t)};
    for (Ms c : {minute + milliseconds{250}, minute + milliseconds{30250}}) {
      if (c > t) return c;
    }
    return minute + minutes{1} + milliseconds{250};
  };
  Ms scanDue = nextScan(now);
  std::size_t nextQuick = 0, nextReload = 0, nextSleep = 0;
  const Ms never = Ms::max();
  while (true) {
    const Ms events[] = {
        scanDue,
        queue.enabled() ? queue.due : never,
        action.enabled() ? action.due : never,
        nextQuick < quick.size() ? quick[nextQuick].at : never,
        nextReload < reloads.size() ? reloads[nextReload] : never,
        nextSleep < std::size(kSleeps) ? kSleeps[nextSleep].from : never,
    };
    const auto which = std::min_element(std::begin(events), std::end(events)) - events;
    if (events[which] >= end) break;
    now = events[which];
    clock.set(floor<seconds>(now));
    switch (which) {
      case 0:
        scanDue = nextScan(now);
        engine.tmrScheduler_Timer();
        break;
      case 1:
        queue.due += milliseconds{queue.interval()};
        engine.tmrProcessSchedule_Timer();
        break;
      case 2:
        action.due += milliseconds{action.interval()};
        engine.timSchedule_Timer();
        break;
      case 3:
        engine.quickSchedule(quick[nextQuick].item, quick[nextQuick].action);
        ++nextQuick;
        break;
      case 4:
        reload();
        ++nextReload;
        break;
      default: {
        // Asleep: no ticks; on waking each running timer fires once straight away.
        now = kSleeps[nextSleep++].to;
        clock.set(floor<seconds>(now));
        scanDue = now;
        for (SimTimer* t : {&queue, &action}) t->due = std::max(t->due, now);
        break;
      }
    }
  }

  for (const Fire& f : fires) {
    const auto it = expected.find(floor<minutes>(f.at));
    if (it == expected.end()) {
      ADD_FAILURE() << "a run outside any due minute, code " << f.code << " at "
                    << formatNextRunText(floor<seconds>(f.at), {"yyyy-MM-dd"});
      continue;
    }
    ++it->second.fired;
    EXPECT_EQ(f.code, it->second.code) << it->second.name;
    EXPECT_TRUE(f.force);
  }
  int wrong = 0;
  for (const auto& [minute, e] : expected) {
    if (e.fired != 1 && ++wrong <= 10) {
      ADD_FAILURE() << e.name << " ran " << e.fired << " times in its minute "
                    << formatNextRunText(minute, {"yyyy-MM-dd"});
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace quenmark
