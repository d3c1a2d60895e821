#include "core/schedule/schedule_service.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/schedule/schedule_file.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_message_hook.h"
#include "support/fake_power_api.h"
#include "support/fake_registry.h"
#include "support/fake_timer.h"

namespace quenmark {
namespace {

using namespace std::chrono;
using testing::at;

constexpr const char* kFolder = "C:\\Quenmark";

// The service as the program makes it, over fakes, started as the main window's load does.
class ScheduleServiceTest : public ::testing::Test {
 protected:
  ScheduleServiceTest() {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    fs.addDirectory(std::string(kFolder) + "\\data");
    ScheduleRecord daily;
    daily.Name = "Daily";
    daily.ItemType = "Reboot";
    daily.Enabled = true;
    daily.StartDate = "3/1/2025";
    daily.StartTime = "08:00:00";
    daily.Repeat = true;
    EXPECT_FALSE(SaveScheduleFile(fs, codec, kFolder, daily));
    service.start({scan, queue, action, window, 0x10});
    service.reload();
  }
  void tick() {
    service.engine()->tmrScheduler_Timer();
    if (queue.enabled()) service.engine()->tmrProcessSchedule_Timer();
    if (action.enabled()) service.engine()->timSchedule_Timer();
  }
  long reboots() const {
    const auto& c = power.calls();
    return std::count(c.begin(), c.end(), "ExitWindowsEx(flags=6, reserved=0)");
  }

  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  testing::FakeClock clock{at(2025, 3, 5, 7, 30)};
  testing::FakeRegional regional{{"M/d/yyyy", "h:mm:ss tt", "AM", "PM"}};
  testing::FakeDialogs dialogs;
  testing::FakePowerApi power;
  testing::FakeRegistry registry;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  testing::FakeTimer scan, queue, action;
  testing::FakeMessageHook window;
  ScheduleService service{{fs, codec, clock, regional, dialogs, power, options, kFolder, {}}};
};

// A save in the wizard hands over its record: no other entry is read again, so a schedule
// that fired and moved on does not fire twice after the clock is set back, and quick entries
// stay.
TEST_F(ScheduleServiceTest, ASaveTakesTheRecordAndLeavesTheOtherEntriesAsTheyAre) {
  clock.set(at(2025, 3, 5, 8, 0, 10));
  tick();
  EXPECT_EQ(reboots(), 1);
  service.quickSchedule("In 1 Week", "Log Off");
  clock.set(at(2025, 3, 5, 7, 59, 50));  // set back
  ScheduleRecord other;
  other.Name = "Other";
  other.ItemType = "Shut Down";
  service.saved(other);
  EXPECT_EQ(service.list().count(), 3u);
  EXPECT_EQ(service.list().at(0).nextRunTime, "3/6/2025 08:00:00");
  clock.set(at(2025, 3, 5, 8, 0, 0));
  tick();
  EXPECT_EQ(reboots(), 1) << "not again after the save";

  // Saved again under its name: the entry is replaced where it stands, not added.
  other.ItemType = "Reboot";
  service.saved(other);
  EXPECT_EQ(service.list().count(), 3u);
  EXPECT_EQ(service.list().at(service.list().findSchedule("Other") - 1).type, "Reboot");
}

// The options window's change reaches the engine as a value, also where storing it was
// refused; the wake timer follows at once.
TEST_F(ScheduleServiceTest, FollowsWakingAsTheOptionsChangeIt) {
  EXPECT_EQ(power.wakeDue(), std::nullopt);
  options.set(Setting::chkWake, "1");
  EXPECT_EQ(power.wakeDue(), at(2025, 3, 5, 8, 0));
  registry.failNext("createKeyEx", 5, -1);
  options.set(Setting::chkWake, "0");
  EXPECT_EQ(power.wakeDue(), std::nullopt) << "refused by the registry, followed for this run";
  service.stop();
  EXPECT_FALSE(service.started());
}

}  // namespace
}  // namespace quenmark
