#include "core/settings/policy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "core/settings/options.h"
#include "support/fake_dialogs.h"
#include "support/fake_registry.h"

namespace quenmark {
namespace {

using testing::FakeRegistry;

constexpr char kPolicyKey[] = "SOFTWARE\\Policies\\Tarvossa\\Quenmark";
constexpr char kSettings[] = "SOFTWARE\\Tarvossa\\Quenmark\\Settings";

class PolicyTest : public ::testing::Test {
 protected:
  PolicyTest() {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
  }
  FakeRegistry registry;
  testing::FakeDialogs dialogs;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
};

// Group Policy writes DWORDs, a hand-made .reg file may write strings; anything else is no
// policy, and the stored option holds.
TEST_F(PolicyTest, ADwordOrAStringOverridesTheStoredOptionAndIsNeverStored) {
  const struct {
    Setting setting;
    std::uint32_t type;
    std::string data;
    std::string stored, reads;
  } cases[] = {
      {Setting::chkWarn, reg::kRegDword, FakeRegistry::dword(1), "0", "1"},
      {Setting::chkMin, reg::kRegDword, FakeRegistry::dword(0), "1", "0"},
      {Setting::chkNoShow, reg::kRegSz, "1", "0", "1"},
      {Setting::LanguageHost, reg::kRegSz, "intranet.example", "lang.example", "intranet.example"},
      {Setting::chkSplash, reg::kRegBinary, "\x01", "1", "1"},  // no policy
  };
  std::vector<std::string> told;
  options.listen([&](Setting s, const std::string&) { told.emplace_back(settingDef(s).key); });
  for (const auto& c : cases) {
    const std::string key(settingDef(c.setting).key);
    registry.putString(reg::kHkeyLocalMachine, kSettings, key, c.stored);
    registry.putValue(reg::kHkeyLocalMachine, kPolicyKey, key, c.type, c.data);
    EXPECT_EQ(options.get(c.setting), c.reads) << key;
    const bool policy = c.type != reg::kRegBinary;
    EXPECT_EQ(options.setByPolicy(c.setting), policy) << key;
    registry.calls.clear();
    EXPECT_EQ(options.set(c.setting, "2"), !policy) << key;
    EXPECT_EQ(registry.callsOf("setValue").empty(), policy) << key << ": nothing is written";
    EXPECT_EQ(options.get(c.setting), policy ? c.reads : "2") << key;
  }
  EXPECT_EQ(told, std::vector<std::string>{"chkSplash"}) << "a refused change tells no one";
  EXPECT_FALSE(registry.value(reg::kHkeyLocalMachine, kSettings, "chkRunAtStart"));
}

TEST_F(PolicyTest, TheLockAndThePauseAreReadAsSet) {
  const Policy& policy = options.policy();
  EXPECT_FALSE(policy.schedulesLocked());
  EXPECT_EQ(policy.schedulesPaused(), std::nullopt) << "not set: the user decides";
  registry.putDword(reg::kHkeyLocalMachine, kPolicyKey, "SchedulesLocked", 1);
  registry.putDword(reg::kHkeyLocalMachine, kPolicyKey, "chkPrevent", 0);
  EXPECT_TRUE(policy.schedulesLocked());
  EXPECT_EQ(policy.schedulesPaused(), false) << "set to 0: never paused";
  EXPECT_TRUE(registry.openHandles().empty());
}

// The administrative template describes exactly the values the program reads, under the key
// it reads them from.
TEST(PolicyTemplate, DefinesEveryValueTheProgramReadsAndNoOther) {
  const std::string here = __FILE__;
  std::ifstream in(here.substr(0, here.rfind("tests")) + "installer/Quenmark.admx",
                   std::ios::binary);
  const std::string admx{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(admx.empty()) << "installer/Quenmark.admx not found from " << here;
  auto attributes = [&](const std::string& name) {
    std::multiset<std::string> found;
    const std::string open = " " + name + "=\"";
    for (auto at = admx.find(open); at != std::string::npos; at = admx.find(open, at + 1)) {
      const auto start = at + open.size();
      found.insert(admx.substr(start, admx.find('"', start) - start));
    }
    return found;
  };
  std::multiset<std::string> read;
  for (const PolicyDef& d : kPolicies) read.insert(std::string(d.valueName));
  EXPECT_EQ(attributes("valueName"), read);
  const std::multiset<std::string> keys = attributes("key");
  EXPECT_EQ(keys.size(), read.size()) << "one key per policy";
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()),
            std::set<std::string>{policyPath("Tarvossa", "Quenmark")});
}

}  // namespace
}  // namespace quenmark
