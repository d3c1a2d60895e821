#include <gtest/gtest.h>

#include "core/program/app_context.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_event_log.h"
#include "support/fake_file_system.h"
#include "support/fake_meters.h"
#include "support/fake_power_api.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"

namespace quenmark {
namespace {

class NoVersionInfo : public VersionInfo {
 public:
  std::string field(const std::string&) const override { return {}; }
  ProgramVersion version() const override { return {}; }
};

TEST(AppContext, SettingsUseTheIdentityAndSeeStartedInTrayAsItChanges) {
  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  testing::FakeClock clock;
  testing::FakeRegional regional;
  testing::FakeDialogs dialogs;
  testing::FakeRegistry registry;
  testing::FakePowerApi power;
  testing::FakeShell shell;
  NoVersionInfo version;
  testing::FakeEventLog events;
  testing::FakeMeters meters;
  AppContext app({fs, codec, clock, regional, dialogs, registry, power, shell, version, events,
                  meters},
                 "C:\\Q");
  app.identity.ProgramName = "Quenmark";
  app.identity.CompanyName = "Tarvossa";

  app.options.set(Setting::Language, "Deutsch");
  EXPECT_EQ(app.options.get(Setting::Language, "English"), "Deutsch");
  EXPECT_EQ(app.options.get(Setting::chkMin, "0"), "0");

  // A save into the machine section that fails warns only while the window is not in the tray.
  registry.failNext("createKeyEx", 5);
  app.options.set(Setting::chkMin, "1");
  EXPECT_EQ(dialogs.shown.size(), 1u);
  app.StartedInTray = true;
  registry.failNext("createKeyEx", 5);
  app.options.set(Setting::chkMin, "1");
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace quenmark
