#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "core/settings/add_remove.h"
#include "core/settings/settings_store.h"
#include "support/fake_dialogs.h"

namespace quenmark {
namespace {

// Keys of a test-only company and product, removed before and after each test.
const wchar_t kCompanyW[] = L"SOFTWARE\\TarvossaWinTest";
const wchar_t kSectionW[] = L"SOFTWARE\\TarvossaWinTest\\QuenmarkWinTest\\Settings";
const wchar_t kUserSectionW[] = L"Software\\TarvossaWinTest\\QuenmarkWinTest\\Settings";
const wchar_t kRunW[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring readRaw(HKEY root, const wchar_t* path, const wchar_t* name) {
  wchar_t buf[256] = {};
  DWORD cb = sizeof buf;
  if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, buf, &cb) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buf;
}

class RealSettingsStoreTest : public ::testing::Test {
 protected:
  RealSettingsStoreTest() {
    identity.ProgramName = "QuenmarkWinTest";
    identity.CompanyName = "TarvossaWinTest";
  }
  void SetUp() override { clean(); }
  void TearDown() override { clean(); }
  static void clean() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kCompanyW);
    RegDeleteTreeW(HKEY_CURRENT_USER, kCompanyW);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunW, L"QuenmarkWinTest-1");
  }

  win32::Win32Registry registry;
  testing::FakeDialogs dialogs;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
};

TEST_F(RealSettingsStoreTest, MachineSettingsRoundTrip) {
  auto read = [&](const std::string& key, const std::string& def) {
    Result<std::string> r = store.GetMachineSetting("QuenmarkWinTest", "Settings", key, def);
    EXPECT_TRUE(r.ok());
    return r.ok() ? r.value() : std::string("<error>");
  };
  EXPECT_EQ(read("chkMin", "0"), "0");
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "chkMin", "1");
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "txtport", "2525");
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "txtUsername", "");
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "txtServer", "m\u00e4il \u041c");
  EXPECT_EQ(read("chkMin", "0"), "1");
  EXPECT_EQ(read("txtPort", "25"), "2525");
  EXPECT_EQ(read("txtUsername", "x"), "");
  EXPECT_EQ(read("txtServer", ""), "m\u00e4il \u041c");
  EXPECT_EQ(readRaw(HKEY_LOCAL_MACHINE, kSectionW, L"chkMin"), L"1");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RealSettingsStoreTest, DwordValueIsNotAString) {
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "chkMin", "1");
  DWORD one = 1;
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSectionW, L"chkMin", REG_DWORD, &one, sizeof one),
            ERROR_SUCCESS);
  Result<std::string> r = store.GetMachineSetting("QuenmarkWinTest", "Settings", "chkMin", "0");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error(), (SysError{0x800407D4, "Registry data not a string"}));
}

TEST_F(RealSettingsStoreTest, UserSettingsRoundTrip) {
  EXPECT_EQ(store.GetUserSetting("QuenmarkWinTest", "Settings", "Language", "English"), "English");
  store.SaveUserSetting("QuenmarkWinTest", "Settings", "Language", "\u65e5\u672c\u8a9e");
  EXPECT_EQ(store.GetUserSetting("QuenmarkWinTest", "Settings", "language", "English"),
            "\u65e5\u672c\u8a9e");
  EXPECT_EQ(readRaw(HKEY_CURRENT_USER, kUserSectionW, L"Language"), L"\u65e5\u672c\u8a9e");
}

TEST_F(RealSettingsStoreTest, RunKeyEntryIsWrittenAndRemoved) {
  AddRemove addRemove(registry, identity);
  addRemove.AddToRun2("QuenmarkWinTest-1", "C:\\Program Files\\Quenmark\\Quenmark.exe");
  EXPECT_EQ(readRaw(HKEY_LOCAL_MACHINE, kRunW, L"QuenmarkWinTest-1"),
            L"C:\\Program Files\\Quenmark\\Quenmark.exe");
  EXPECT_EQ(addRemove.GetString(reg::kHkeyLocalMachine, kRunKeyPath, "QuenmarkWinTest-1"),
            "C:\\Program Files\\Quenmark\\Quenmark.exe");
  addRemove.RemoveFromRun2("QuenmarkWinTest-1");
  EXPECT_EQ(readRaw(HKEY_LOCAL_MACHINE, kRunW, L"QuenmarkWinTest-1"), L"<missing>");
  addRemove.RemoveFromRun2("QuenmarkWinTest-1");  // already gone: nothing happens
}

TEST_F(RealSettingsStoreTest, CustomSectionSharesTheMachineSection) {
  AddRemove addRemove(registry, identity);
  addRemove.doSaveSetCustom("QuenmarkWinTest", "Settings", "txtFTPHost", " ");
  EXPECT_EQ(addRemove.GetStringSettingCustom("QuenmarkWinTest", "Settings", "txtFTPHost", "none"),
            "none");
  store.SaveMachineSetting("QuenmarkWinTest", "Settings", "txtFTPHost", "ftp.example");
  EXPECT_EQ(addRemove.GetStringSettingCustom("QuenmarkWinTest", "Settings", "txtFTPHost", "none"),
            "ftp.example");
}

}  // namespace
}  // namespace quenmark
