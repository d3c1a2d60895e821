#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "core/schedule/schedule_service.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_event_log.h"
#include "support/fake_file_system.h"
#include "support/fake_message_hook.h"
#include "support/fake_power_api.h"
#include "support/fake_registry.h"
#include "support/fake_timer.h"

namespace quenmark::testing {

// The schedule service as the program makes it, over fakes, its data folder made and nothing
// in it; `start` starts it as the main window's load does. The message lookup and the meters
// are the deriving test's.
class ScheduleServiceFixture : public ::testing::Test {
 protected:
  static constexpr const char* kFolder = "C:\\Quenmark";

  explicit ScheduleServiceFixture(std::chrono::local_seconds now, MessageLookup lookup = {},
                                  Meters* meters = nullptr)
      : clock{now},
        message{std::move(lookup)},
        service{{fs, codec, clock, regional, dialogs, power, options, kFolder, message, events,
                 meters}} {
    fs.addDirectory(std::string(kFolder) + "\\data");
  }

  void start() { service.start({scan, queue, action, window, 0x10}); }
  // One beat of the window's timers: the scan, then the queue's hand-over and the action
  // tick when they are due.
  void tick() {
    service.engine()->tmrScheduler_Timer();
    if (queue.enabled()) service.engine()->tmrProcessSchedule_Timer();
    if (action.enabled()) service.engine()->timSchedule_Timer();
  }
  // How many times the power API was called exactly so.
  long powerCalls(const std::string& call) const {
    const auto& c = power.calls();
    return std::count(c.begin(), c.end(), call);
  }
  long shutdowns() const { return powerCalls("ExitWindowsEx(flags=5, reserved=0)"); }
  long reboots() const { return powerCalls("ExitWindowsEx(flags=6, reserved=0)"); }

  FakeFileSystem fs;
  Cp1252Codec codec;
  FakeClock clock;
  FakeRegional regional{{"M/d/yyyy", "h:mm:ss tt", "AM", "PM"}};
  FakeDialogs dialogs;
  FakePowerApi power;
  FakeRegistry registry;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  FakeTimer scan, queue, action;
  FakeMessageHook window;
  MessageLookup message;
  FakeEventLog events;
  ScheduleService service;
};

}  // namespace quenmark::testing
