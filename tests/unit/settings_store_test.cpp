#include "core/settings/settings_store.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/fake_registry.h"

namespace quenmark {
namespace {

using testing::FakeDialogs;
using testing::FakeRegistry;

constexpr RegKey kHklm = reg::kHkeyLocalMachine;
constexpr RegKey kHkcu = reg::kHkeyCurrentUser;
const char kSection[] = "SOFTWARE\\Tarvossa\\Quenmark\\Settings";
const char kUserSection[] = "Software\\Tarvossa\\Quenmark\\Settings";

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
  }
  // Whatever a test does, every key the store opened is closed again.
  void TearDown() override { EXPECT_TRUE(registry.openHandles().empty()); }

  std::string machine(const std::string& key, const std::string& def = "default") {
    Result<std::string> r = store.GetMachineSetting("Quenmark", "Settings", key, def);
    EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error().message());
    return r.ok() ? r.value() : "<error>";
  }

  FakeRegistry registry;
  FakeDialogs dialogs;
  ProductIdentity identity;
  bool startedInTray = false;
  SettingsStore store{registry, dialogs, identity, [this] { return startedInTray; }};
};

// ---- GetMachineSetting ----

TEST_F(SettingsStoreTest, EmptyNamesFailInOrderBeforeTheRegistryIsTouched) {
  struct Case {
    std::string app, section, key;
    std::int64_t number;
    std::string text;
  };
  const Case cases[] = {
      {"   ", "", "", 0x800403E8, "AppName may not be empty"},
      {"", "Settings", "chkMin", 0x800403E8, "AppName may not be empty"},
      {"Quenmark", " ", "", 0x800403E9, "Section may not be empty"},
      {"Quenmark", "Settings", "  ", 0x800403EA, "Key may not be empty"},
  };
  for (const auto& c : cases) {
    Result<std::string> r = store.GetMachineSetting(c.app, c.section, c.key, "d");
    ASSERT_FALSE(r.ok()) << c.app << "/" << c.section << "/" << c.key;
    EXPECT_EQ(r.error(), (SysError{c.number, c.text}));
  }
  EXPECT_TRUE(registry.calls.empty());
}

TEST_F(SettingsStoreTest, MissingSectionOrValueGivesTheDefault) {
  EXPECT_EQ(machine("chkMin", "0"), "0");
  registry.putString(kHklm, kSection, "chkNoShow", "1");
  EXPECT_EQ(machine("chkMin", "0"), "0");
  EXPECT_EQ(machine("txtPort", "25"), "25");
}

TEST_F(SettingsStoreTest, SectionThatCannotBeOpenedFailsWithTheWindowsCode) {
  registry.addKey(kHklm, kSection);
  registry.failNext("openKeyEx", reg::kErrorAccessDenied);
  Result<std::string> r = store.GetMachineSetting("Quenmark", "Settings", "chkMin", "0");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error(), (SysError{0x800407D5, "Could not open registry section"}));
}

TEST_F(SettingsStoreTest, NonStringValueFailsWithItsType) {
  registry.putValue(kHklm, kSection, "chkMin", reg::kRegDword, std::string("\x01\0\0\0", 4));
  registry.putValue(kHklm, kSection, "blob", reg::kRegBinary, "xy");
  Result<std::string> r = store.GetMachineSetting("Quenmark", "Settings", "chkMin", "0");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error(), (SysError{0x800407D4, "Registry data not a string"}));
  r = store.GetMachineSetting("Quenmark", "Settings", "blob", "0");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().number, 0x800407D3);
}

TEST_F(SettingsStoreTest, ReadsTheSectionBuiltFromTrimmedNamesWithReadAccess) {
  registry.putString(kHklm, kSection, "chkMin", "1");
  Result<std::string> r = store.GetMachineSetting(" Quenmark ", "Settings  ", "chkMin", "0");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value(), "1");
  auto opens = registry.callsOf("openKeyEx");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].target, "HKLM\\SOFTWARE\\Tarvossa\\Quenmark\\Settings");
  EXPECT_EQ(opens[0].access, 0x20019u);
}

TEST_F(SettingsStoreTest, EmptyValueReadsEmptyAndAFailedSecondReadGivesTheDefault) {
  registry.putString(kHklm, kSection, "txtUsername", "");
  EXPECT_EQ(machine("txtUsername"), "");
  registry.putString(kHklm, kSection, "txtServer", "mail.example");
  registry.failNext("queryValue", reg::kErrorMoreData);
  EXPECT_EQ(machine("txtServer"), "default");
}

TEST_F(SettingsStoreTest, DataStoredWithoutTerminatingZeroKeepsItsLastCharacter) {
  registry.putValue(kHklm, kSection, "x", reg::kRegSz, "abc", /*addZero=*/false);
  EXPECT_EQ(machine("x"), "abc");
}

// ---- SaveMachineSetting ----

TEST_F(SettingsStoreTest, SavedValuesReadBack) {
  for (const std::string value : {"1", "", "Tarvossa \u00e9t\u00e9 \u041c\u0438\u0440", " "}) {
    store.SaveMachineSetting("Quenmark", "Settings", "chkMin", value);
    EXPECT_EQ(machine("chkMin"), value);
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SettingsStoreTest, SaveCreatesTheSectionWithFullAccessAndPassesTextWithoutZero) {
  store.SaveMachineSetting("Quenmark-1", "Settings", "chkRunAtStart", "1");
  auto creates = registry.callsOf("createKeyEx");
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].target, "HKLM\\SOFTWARE\\Tarvossa\\Quenmark-1\\Settings");
  EXPECT_EQ(creates[0].access, 0x2003Fu);
  auto sets = registry.callsOf("setValue");
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].type, reg::kRegSz);
  EXPECT_EQ(sets[0].data, "1");  // one byte: no terminating zero
  EXPECT_EQ(registry.text(kHklm, "SOFTWARE\\Tarvossa\\Quenmark-1\\Settings", "chkRunAtStart"), "1");
}

TEST_F(SettingsStoreTest, ValueNamesMatchWithoutRegardToCase) {
  store.SaveMachineSetting("Quenmark", "Settings", "txtport", "2525");
  store.SaveMachineSetting("Quenmark", "Settings", "txtFTPfolder", "/pub");
  EXPECT_EQ(machine("txtPort", "25"), "2525");
  EXPECT_EQ(machine("txtFTPFolder", "/"), "/pub");
}

// ---- the permission warning ----

TEST_F(SettingsStoreTest, FailedSaveShowsTheWarningAndAbortGivesUp) {
  registry.failNext("createKeyEx", reg::kErrorAccessDenied, -1);
  dialogs.answer(MsgResult::Abort);
  store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Permission Denied");
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::AbortRetryIgnore);
  EXPECT_EQ(dialogs.shown[0].text,
            "Quenmark requires read/write access to the system registry and hard drive in order "
            "to run properly.  This user account does not have the proper permissions set.  As a "
            "result some or all of your settings may not be properly saved.  Please contact your "
            "system administrator or change the permission settings for this account.\r\n\r\n"
            "If you would like to prevent this error message from being displayed again, please "
            "press 'Ignore'.");
  EXPECT_FALSE(registry.value(kHklm, kSection, "chkMin"));
  EXPECT_FALSE(registry.value(kHkcu, kUserSection, "IgnorePermissionDeniedError"));
}

TEST_F(SettingsStoreTest, RetryRepeatsTheFailedStepAndCarriesOn) {
  for (const char* failing : {"createKeyEx", "setValue"}) {
    SCOPED_TRACE(failing);
    registry = FakeRegistry();
    dialogs = FakeDialogs();
    registry.failNext(failing, reg::kErrorAccessDenied, 2);
    dialogs.answer(MsgResult::Retry);
    dialogs.answer(MsgResult::Retry);
    store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
    EXPECT_EQ(dialogs.shown.size(), 2u);  // one warning per failed attempt
    EXPECT_EQ(registry.text(kHklm, kSection, "chkMin"), "1");
    EXPECT_EQ(registry.callsOf("createKeyEx").size(), failing == std::string("setValue") ? 1u : 3u);
  }
}

TEST_F(SettingsStoreTest, IgnoreStoresTheFlagAndLaterFailuresAreSilent) {
  registry.failNext("createKeyEx", reg::kErrorAccessDenied, 1);
  dialogs.answer(MsgResult::Ignore);
  store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(registry.text(kHkcu, kUserSection, "IgnorePermissionDeniedError"), "1");

  registry.failNext("createKeyEx", reg::kErrorAccessDenied, -1);
  store.SaveMachineSetting("Quenmark", "Settings", "chkNoShow", "1");
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_FALSE(registry.value(kHklm, kSection, "chkNoShow"));
}

TEST_F(SettingsStoreTest, NoWarningWhileStartedInTrayOrWhenTheFlagIsStored) {
  registry.failNext("createKeyEx", reg::kErrorAccessDenied, -1);
  startedInTray = true;  // set after the store was made, as the main window does
  store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
  EXPECT_TRUE(dialogs.shown.empty());

  startedInTray = false;
  registry.putString(kHkcu, kUserSection, "IgnorePermissionDeniedError", "1");
  store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
  EXPECT_TRUE(dialogs.shown.empty());

  registry.putString(kHkcu, kUserSection, "IgnorePermissionDeniedError", "0");
  store.SaveMachineSetting("Quenmark", "Settings", "chkMin", "1");
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// ---- the user area ----

TEST_F(SettingsStoreTest, UserSettingsLiveUnderTheCompanyAndApplication) {
  EXPECT_EQ(store.GetUserSetting("Quenmark", "Settings", "Language", "English"), "English");
  store.SaveUserSetting("Quenmark", "Settings", "Language", "Deutsch");
  EXPECT_EQ(registry.text(kHkcu, kUserSection, "Language"), "Deutsch");
  EXPECT_EQ(store.GetUserSetting("Quenmark", "Settings", "language", "English"), "Deutsch");
  EXPECT_EQ(store.GetUserSetting("Quenmark", "Settings", "showHelp", "1"), "1");
  store.SaveUserSetting("Quenmark", "Settings", "BackupSetColumn1", "");
  EXPECT_EQ(store.GetUserSetting("Quenmark", "Settings", "BackupSetColumn1", "2500"), "");
}

TEST_F(SettingsStoreTest, UserAreaFailuresAreQuiet) {
  registry.failNext("createKeyEx", reg::kErrorAccessDenied);
  store.SaveUserSetting("Quenmark", "Settings", "Language", "Deutsch");
  EXPECT_FALSE(registry.keyExists(kHkcu, kUserSection));
  registry.putValue(kHkcu, kUserSection, "Language", reg::kRegDword, std::string(4, '\0'));
  EXPECT_EQ(store.GetUserSetting("Quenmark", "Settings", "Language", "English"), "English");
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace quenmark
