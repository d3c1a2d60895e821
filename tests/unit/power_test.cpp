#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/power/power.h"
#include "support/fake_file_system.h"
#include "support/fake_power_api.h"
#include "support/fake_message_hook.h"

namespace quenmark {
namespace {

using testing::FakeFileSystem;
using testing::FakePowerApi;
using testing::FakeMessageHook;
using Calls = std::vector<std::string>;

const std::string kVersion = "GetVersionExA(size=148)";
const Calls kPrivilege = {
    "GetCurrentProcess()",
    "OpenProcessToken(process=0x70, access=0x28)",
    "LookupPrivilegeValueA(system=\"\", name=\"SeShutdownPrivilege\")",
    "AdjustTokenPrivileges(token=0x80, disableAll=0, count=1, luid=19:0, attributes=2, "
    "bufferLength=16, returnLength=4)",
    "CloseHandle(0x80)",
};

Calls concat(std::initializer_list<Calls> parts) {
  Calls all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct ActionCase {
  int code;
  bool force;
  std::string action;
};

const ActionCase kActions[] = {
    {0, false, "ExitWindowsEx(flags=0, reserved=0)"},
    {0, true, "ExitWindowsEx(flags=4, reserved=0)"},
    {1, false, "ExitWindowsEx(flags=1, reserved=0)"},
    {1, true, "ExitWindowsEx(flags=5, reserved=0)"},
    {2, false, "ExitWindowsEx(flags=2, reserved=0)"},
    {2, true, "ExitWindowsEx(flags=6, reserved=0)"},
    {5, false, "SetSystemPowerState(suspend=0, force=0)"},
    {5, true, "SetSystemPowerState(suspend=0, force=1)"},
    {6, false, "SetSystemPowerState(suspend=1, force=0)"},
    {6, true, "SetSystemPowerState(suspend=1, force=1)"},
    // Codes without an action of their own pass through; forcing adds 4, it does not OR it.
    {3, false, "ExitWindowsEx(flags=3, reserved=0)"},
    {4, true, "ExitWindowsEx(flags=8, reserved=0)"},
    {7, false, "ExitWindowsEx(flags=7, reserved=0)"},
    {7, true, "ExitWindowsEx(flags=11, reserved=0)"},
    {8, false, "ExitWindowsEx(flags=8, reserved=0)"},
    {8, true, "ExitWindowsEx(flags=12, reserved=0)"},
    {-1, true, "ExitWindowsEx(flags=3, reserved=0)"},
    {INT_MAX, true, "ExitWindowsEx(flags=2147483651, reserved=0)"},
};

TEST(CPowerShutDown, OnNtEnablesThePrivilegeThenActs) {
  for (const auto& c : kActions) {
    FakePowerApi api;
    FakeMessageHook procs;
    CPower power(api, procs);
    power.Initialize(0x1234);
    power.ShutDown(c.code, c.force);
    EXPECT_EQ(api.calls(), concat({{kVersion}, kPrivilege, {c.action}}))
        << c.code << (c.force ? " forced" : "");
    EXPECT_TRUE(api.openHandles().empty()) << c.code;
  }
}

TEST(CPowerShutDown, OtherPlatformsMakeNoTokenCall) {
  for (std::uint32_t platform : {0u, 1u, 3u}) {
    for (const auto& c : kActions) {
      FakePowerApi api;
      FakeMessageHook procs;
      api.platformId = platform;
      CPower(api, procs).ShutDown(c.code, c.force);
      EXPECT_EQ(api.calls(), (Calls{kVersion, c.action})) << "platform " << platform;
    }
  }
}

TEST(CPowerShutDown, AFailedVersionCallCountsAsNotNt) {
  FakePowerApi api;
  FakeMessageHook procs;
  api.fail("GetVersionExA");
  CPower(api, procs).ShutDown(1, false);
  EXPECT_EQ(api.calls(), (Calls{kVersion, "ExitWindowsEx(flags=1, reserved=0)"}));
}

TEST(CPowerShutDown, EachActionAsksThePlatformAgainAndClosesItsOwnToken) {
  FakePowerApi api;
  FakeMessageHook procs;
  CPower power(api, procs);
  power.ShutDown(6, false);
  api.platformId = 1;
  power.ShutDown(2, true);
  api.platformId = 2;
  power.ShutDown(0, false);
  const Calls& calls = api.calls();
  ASSERT_EQ(calls.size(), 16u);
  EXPECT_EQ(calls[0], kVersion);
  EXPECT_EQ(calls[6], "SetSystemPowerState(suspend=1, force=0)");
  EXPECT_EQ(calls[7], kVersion);
  EXPECT_EQ(calls[8], "ExitWindowsEx(flags=6, reserved=0)");
  EXPECT_EQ(calls[9], kVersion);
  EXPECT_EQ(calls[14], "CloseHandle(0x81)");
  EXPECT_EQ(calls[15], "ExitWindowsEx(flags=0, reserved=0)");
  EXPECT_TRUE(api.openHandles().empty());
}

TEST(CPowerShutDown, ARefusedActionReturnsNormally) {
  FakePowerApi api;
  FakeMessageHook procs;
  api.fail("ExitWindowsEx");
  api.fail("SetSystemPowerState");
  CPower power(api, procs);
  power.ShutDown(1, true);
  power.ShutDown(5, true);
  EXPECT_EQ(api.calls().back(), "SetSystemPowerState(suspend=0, force=1)");
}

struct PrivilegeFailure {
  std::string failing;
  Calls expected;
};

TEST(EnableShutdownPrivilege, GoesOnAfterAFailedStepAndLeavesNoTokenOpen) {
  const std::string adjustWith0 =
      "AdjustTokenPrivileges(token=0x0, disableAll=0, count=1, luid=19:0, attributes=2, "
      "bufferLength=16, returnLength=4)";
  const std::string adjustNoLuid =
      "AdjustTokenPrivileges(token=0x80, disableAll=0, count=1, luid=0:0, attributes=2, "
      "bufferLength=16, returnLength=4)";
  const PrivilegeFailure cases[] = {
      // Nothing was opened, so there is nothing to close.
      {"OpenProcessToken", {kPrivilege[0], kPrivilege[1], kPrivilege[2], adjustWith0}},
      {"LookupPrivilegeValueA",
       {kPrivilege[0], kPrivilege[1], kPrivilege[2], adjustNoLuid, kPrivilege[4]}},
      {"AdjustTokenPrivileges", kPrivilege},
  };
  for (const auto& c : cases) {
    FakePowerApi api;
    api.fail(c.failing);
    modPower::EnableShutdownPrivilege(api);
    EXPECT_EQ(api.calls(), c.expected) << c.failing;
    EXPECT_TRUE(api.openHandles().empty()) << c.failing;
  }
}

TEST(CPower, InitializeKeepsTheWindowAndCallsNothing) {
  FakePowerApi api;
  FakeMessageHook procs;
  CPower power(api, procs);
  EXPECT_EQ(power.hwnd(), 0u);
  power.Initialize(0x2a0b4);
  EXPECT_EQ(power.hwnd(), 0x2a0b4u);
  EXPECT_TRUE(api.calls().empty());
  EXPECT_TRUE(procs.log.empty());
}

// The blocker works on the window given to Initialize, and releasing the instance ends it.
TEST(CPower, CarriesTheSuspendBlockerUntilReleased) {
  constexpr WindowHandle kMain = 0x2a0b4;
  FakePowerApi api;
  FakeMessageHook window;
  {
    CPower power(api, window);
    power.Initialize(kMain);
    EXPECT_FALSE(power.DisableSuspend());
    power.DisableSuspend(true);
    EXPECT_TRUE(power.DisableSuspend());
    EXPECT_EQ(window.send(kWmPowerBroadcast, 0, 0), kBroadcastQueryDeny);
    EXPECT_EQ(api.calls(), (Calls{"SetThreadExecutionState(flags=0x80000001)"}));
  }
  EXPECT_EQ(window.send(kWmPowerBroadcast, 0, 0), FakeMessageHook::kOwnResult)
      << "the window handles its power broadcasts again";
  EXPECT_EQ(api.calls().back(), "SetThreadExecutionState(flags=0x80000000)");
}

struct HibernateCase {
  const char* what;
  std::vector<std::pair<std::string, std::uint32_t>> files;
  bool expected;
};

TEST(HibernateAvailable, LooksForTheFileAtTheRootOfC) {
  constexpr auto kHiddenSystem = attr::kHidden | attr::kSystem | attr::kArchive;
  const HibernateCase cases[] = {
      {"hidden system file", {{"c:\\hiberfil.sys", kHiddenSystem}}, true},
      {"plain file", {{"c:\\hiberfil.sys", attr::kArchive}}, true},
      {"read-only, upper case", {{"C:\\HIBERFIL.SYS", kHiddenSystem | attr::kReadOnly}}, true},
      {"another drive only", {{"d:\\hiberfil.sys", kHiddenSystem}}, false},
      {"another folder only", {{"c:\\windows\\hiberfil.sys", kHiddenSystem}}, false},
      {"a longer name", {{"c:\\hiberfil.sys.old", kHiddenSystem}}, false},
      {"a folder of that name", {{"c:\\hiberfil.sys", attr::kDirectory}}, false},
      {"nothing", {}, false},
  };
  for (const auto& c : cases) {
    FakeFileSystem fs;
    for (const auto& [path, attributes] : c.files) fs.addFile(path, "", attributes);
    EXPECT_EQ(modPower::HibernateAvailable(fs), c.expected) << c.what;
    EXPECT_EQ(fs.calls, (std::vector<std::string>{"find c:\\hiberfil.sys"})) << c.what;
  }
}

}  // namespace
}  // namespace quenmark
