#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace quenmark::win32 {
namespace {

const wchar_t kTestRootW[] = L"Software\\QuenmarkWinTests\\Adapter";
const char kTestRoot[] = "Software\\QuenmarkWinTests\\Adapter";

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestRootW); }
  void TearDown() override {
    for (RegKey k : opened) registry.closeKey(k);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestRootW);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuenmarkWinTests");
  }
  RegKey create(const std::string& sub = "") {
    RegKey k = 0;
    EXPECT_EQ(registry.createKeyEx(reg::kHkeyCurrentUser,
                                   sub.empty() ? kTestRoot : std::string(kTestRoot) + "\\" + sub,
                                   reg::kKeyReadWriteLink, k),
              0);
    opened.push_back(k);
    return k;
  }

  Win32Registry registry;
  std::vector<RegKey> opened;
};

TEST_F(Win32RegistryTest, StringsAreStoredAsUtf16TextWithOneZero) {
  RegKey key = create();
  ASSERT_EQ(registry.setValue(key, "greeting", reg::kRegSz, "Gr\u00fc\u00dfe \u041c\u0438\u0440"),
            0);
  // Another reader, straight through the W function, sees the same text.
  wchar_t buf[32] = {};
  DWORD cb = sizeof buf;
  ASSERT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, kTestRootW, L"GREETING", RRF_RT_REG_SZ, nullptr, buf, &cb),
      ERROR_SUCCESS);
  EXPECT_STREQ(buf, L"Gr\u00fc\u00dfe \u041c\u0438\u0440");

  std::uint32_t type = 0, size = 0;
  ASSERT_EQ(registry.queryValueInfo(key, "Greeting", type, size), 0);
  EXPECT_EQ(type, reg::kRegSz);
  EXPECT_EQ(size, 10u * 2u);  // nine characters and the zero, two bytes each
}

TEST_F(Win32RegistryTest, OtherTypesKeepTheirBytes) {
  RegKey key = create();
  const std::string dword("\x07\x00\x00\x00", 4);
  ASSERT_EQ(registry.setValue(key, "n", reg::kRegDword, dword), 0);
  DWORD n = 0, cb = sizeof n;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kTestRootW, L"n", RRF_RT_REG_DWORD, nullptr, &n, &cb),
            ERROR_SUCCESS);
  EXPECT_EQ(n, 7u);
  std::uint32_t type = 0, size = 0;
  std::string data;
  ASSERT_EQ(registry.queryValueInfo(key, "n", type, size), 0);
  ASSERT_EQ(registry.queryValue(key, "n", size, type, data), 0);
  EXPECT_EQ(type, reg::kRegDword);
  EXPECT_EQ(data, dword);
}

TEST_F(Win32RegistryTest, PredefinedRootsAreTheDocumentedNumbers) {
  create();
  RegKey k = 0;
  ASSERT_EQ(registry.openKey(0x80000001u, kTestRoot, k), 0);
  opened.push_back(k);
  ASSERT_EQ(registry.openKeyEx(0x80000002u, "SOFTWARE", reg::kKeyRead, k), 0);
  opened.push_back(k);
}

}  // namespace
}  // namespace quenmark::win32
