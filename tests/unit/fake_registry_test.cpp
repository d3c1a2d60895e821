#include "support/fake_registry.h"

#include <gtest/gtest.h>

#include "support/registry_contract.h"

namespace quenmark::testing {
namespace {

struct FakeEnv {
  FakeRegistry fake;
  Registry& registry() { return fake; }
  void clean() {}  // each test starts with a new, empty fake
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, FakeEnv);

TEST(FakeRegistry, InjectedFailuresChangeNothingAndAreRecorded) {
  FakeRegistry r;
  r.failNext("createKeyEx", 5, 2);
  RegKey k = 0;
  EXPECT_EQ(r.createKeyEx(reg::kHkeyLocalMachine, "SOFTWARE\\X", reg::kKeyRead, k), 5);
  EXPECT_EQ(r.createKeyEx(reg::kHkeyLocalMachine, "SOFTWARE\\X", reg::kKeyRead, k), 5);
  EXPECT_FALSE(r.keyExists(reg::kHkeyLocalMachine, "SOFTWARE\\X"));
  EXPECT_EQ(r.createKeyEx(reg::kHkeyLocalMachine, "SOFTWARE\\X", reg::kKeyRead, k), 0);
  ASSERT_EQ(r.calls.size(), 3u);
  EXPECT_EQ(r.calls[0].target, "HKLM\\SOFTWARE\\X");
  EXPECT_EQ(r.calls[0].result, 5);
  EXPECT_EQ(r.openHandles(), std::vector<std::string>{"HKLM\\SOFTWARE\\X"});
  r.closeKey(k);
  EXPECT_TRUE(r.openHandles().empty());
}

TEST(FakeRegistry, HandlesOfADeletedKeyReportIt) {
  FakeRegistry r;
  RegKey k = 0;
  ASSERT_EQ(r.createKeyEx(reg::kHkeyCurrentUser, "Software\\Gone", reg::kKeyRead, k), 0);
  ASSERT_EQ(r.deleteKey(reg::kHkeyCurrentUser, "Software\\Gone"), 0);
  EXPECT_EQ(r.setValue(k, "v", reg::kRegSz, "x"), reg::kErrorKeyDeleted);
  EXPECT_EQ(r.closeKey(k), 0);
}

}  // namespace
}  // namespace quenmark::testing
