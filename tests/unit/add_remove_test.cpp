#include "core/settings/add_remove.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_registry.h"

namespace quenmark {
namespace {

using testing::FakeRegistry;

constexpr RegKey kHklm = reg::kHkeyLocalMachine;
constexpr RegKey kHkcu = reg::kHkeyCurrentUser;
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quenmark";
const char kCustom[] = "Software\\Tarvossa\\Quenmark\\Settings";

class AddRemoveTest : public ::testing::Test {
 protected:
  AddRemoveTest() { identity.CompanyName = "Tarvossa"; }
  void TearDown() override { EXPECT_TRUE(registry.openHandles().empty()); }

  FakeRegistry registry;
  ProductIdentity identity;
  AddRemove addRemove{registry, identity};
};

TEST_F(AddRemoveTest, RunEntriesGoToTheirRoots) {
  struct Case {
    std::function<void(AddRemove&)> add, remove;
    RegKey root;
  };
  const Case cases[] = {
      {[](AddRemove& a) { a.AddToRun("Quenmark-1", "C:\\Tools\\Quenmark.exe"); },
       [](AddRemove& a) { a.RemoveFromRun("Quenmark-1"); }, kHkcu},
      {[](AddRemove& a) { a.AddToRun2("Quenmark-1", "C:\\Tools\\Quenmark.exe"); },
       [](AddRemove& a) { a.RemoveFromRun2("Quenmark-1"); }, kHklm},
  };
  for (const auto& c : cases) {
    const RegKey other = c.root == kHklm ? kHkcu : kHklm;
    c.add(addRemove);
    EXPECT_EQ(registry.text(c.root, kRun, "Quenmark-1"), "C:\\Tools\\Quenmark.exe");
    EXPECT_FALSE(registry.value(other, kRun, "Quenmark-1"));
    c.add(addRemove);  // writing again replaces the value
    c.remove(addRemove);
    EXPECT_FALSE(registry.value(c.root, kRun, "Quenmark-1"));
    EXPECT_TRUE(registry.keyExists(c.root, kRun));
    c.remove(addRemove);  // removing what is not there does nothing
  }
}

TEST_F(AddRemoveTest, UninstallEntryIsWrittenAndRemovedAsAKey) {
  addRemove.AddToList("Quenmark", "C:\\Tools\\uninstall.exe");
  EXPECT_EQ(registry.text(kHklm, kUninstall, "DisplayName"), "Quenmark");
  EXPECT_EQ(registry.text(kHklm, kUninstall, "UninstallString"), "C:\\Tools\\uninstall.exe");
  addRemove.RemoveFromList("Quenmark");
  EXPECT_FALSE(registry.keyExists(kHklm, kUninstall));
}

TEST_F(AddRemoveTest, DeleteKeyLeavesAKeyWithSubkeys) {
  addRemove.SaveKey(kHklm, "Software\\Tarvossa\\Quenmark\\Sub");
  EXPECT_TRUE(registry.keyExists(kHklm, "Software\\Tarvossa\\Quenmark\\Sub"));
  addRemove.DeleteKey(kHklm, "Software\\Tarvossa\\Quenmark");
  EXPECT_TRUE(registry.keyExists(kHklm, "Software\\Tarvossa\\Quenmark"));
  addRemove.DeleteKey(kHklm, "Software\\Tarvossa\\Quenmark\\Sub");
  addRemove.DeleteKey(kHklm, "Software\\Tarvossa\\Quenmark");
  EXPECT_FALSE(registry.keyExists(kHklm, "Software\\Tarvossa\\Quenmark"));
}

TEST_F(AddRemoveTest, CustomSectionReadsBackWithDefaultsForEmptyValues) {
  addRemove.doSaveSetCustom("Quenmark", "Settings", "txtServer", "mail.example");
  EXPECT_EQ(registry.text(kHklm, kCustom, "txtServer"), "mail.example");
  registry.putValue(kHklm, kCustom, "dword", reg::kRegDword, std::string(4, '\0'));
  struct Case {
    std::string name, expected;
  };
  const Case cases[] = {{"txtServer", "mail.example"},
                        {"TXTSERVER", "mail.example"},
                        {"missing", "def"},
                        {"dword", "def"}};
  for (const auto& c : cases) {
    EXPECT_EQ(addRemove.GetStringSettingCustom("Quenmark", "Settings", c.name, "def"), c.expected)
        << c.name;
  }
  for (const std::string stored : {"", " "}) {
    addRemove.doSaveSetCustom("Quenmark", "Settings", "txtPort", stored);
    EXPECT_EQ(addRemove.GetStringSettingCustom("Quenmark", "Settings", "txtPort", "25"), "25");
  }
  addRemove.doSaveSetCustom("Quenmark", "Settings", "txtPort", "  ");
  EXPECT_EQ(addRemove.GetStringSettingCustom("Quenmark", "Settings", "txtPort", "25"), "  ");
}

TEST_F(AddRemoveTest, GetStringCutsAtTheFirstZero) {
  registry.putValue(kHkcu, "Software\\X", "multi", reg::kRegSz, std::string("one\0two", 7));
  registry.putValue(kHkcu, "Software\\X", "bare", reg::kRegSz, "abc", /*addZero=*/false);
  EXPECT_EQ(addRemove.GetString(kHkcu, "Software\\X", "multi"), "one");
  EXPECT_EQ(addRemove.GetString(kHkcu, "Software\\X", "bare"), "abc");
  EXPECT_EQ(addRemove.GetString(kHkcu, "Software\\Missing", "multi"), std::nullopt);
}

TEST_F(AddRemoveTest, SaveStringCreatesSetsAndCloses) {
  addRemove.SaveString(kHkcu, "Software\\X", "v", "text");
  std::vector<std::string> ops;
  for (const auto& c : registry.calls) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"createKey", "setValue", "closeKey"}));
  EXPECT_EQ(registry.calls[1].data, "text");
}

TEST_F(AddRemoveTest, FailuresLeaveTheRegistryAsItWas) {
  registry.putString(kHklm, kRun, "Quenmark-1", "old");
  registry.failNext("setValue", reg::kErrorAccessDenied);
  addRemove.AddToRun2("Quenmark-1", "new");
  registry.failNext("deleteValue", reg::kErrorAccessDenied);
  addRemove.RemoveFromRun2("Quenmark-1");
  EXPECT_EQ(registry.text(kHklm, kRun, "Quenmark-1"), "old");
  registry.failNext("openKey", reg::kErrorAccessDenied);
  addRemove.RemoveFromRun2("Quenmark-1");
  EXPECT_EQ(registry.text(kHklm, kRun, "Quenmark-1"), "old");
}

}  // namespace
}  // namespace quenmark
