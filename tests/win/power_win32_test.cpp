#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/power_api_win32.h"
#include "core/power/power.h"
#include "support/temp_folder_win32.h"

// Only calls that change nothing outside this process are made here: the version, the
// token and the privilege. The actions themselves are tested against the recording fake.

namespace quenmark::win32 {
namespace {

using testing::removeTree;
using testing::TempFolder;
using testing::writeTestFile;

const char* const kHiberfil = "c:\\hiberfil.sys";

// Makes c:\hiberfil.sys in the test prefix and removes it again, whatever happens.
class HiberfilInPrefix {
 public:
  bool make() {
    made_ = writeTestFile(kHiberfil, "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    return made_;
  }
  void remove() {
    if (made_) removeTree(kHiberfil);
    made_ = false;
  }
  ~HiberfilInPrefix() { remove(); }

 private:
  bool made_ = false;
};

TEST(HibernateAvailableWin32, FollowsAHiddenSystemFileAtTheRootOfC) {
  Win32FileSystem fs;
  if (GetFileAttributesW(L"c:\\hiberfil.sys") != INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "c:\\hiberfil.sys already exists here; it is not ours to touch";
  EXPECT_FALSE(modPower::HibernateAvailable(fs));

  HiberfilInPrefix file;
  ASSERT_TRUE(file.make());
  // A plain search does not see it: the mask is what finds it.
  EXPECT_TRUE(fs.find(kHiberfil, 0).empty());
  EXPECT_TRUE(modPower::HibernateAvailable(fs));

  file.remove();
  EXPECT_FALSE(modPower::HibernateAvailable(fs));
}

TEST(HibernateAvailableWin32, AFileElsewhereDoesNotCount) {
  Win32FileSystem fs;
  if (GetFileAttributesW(L"c:\\hiberfil.sys") != INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "c:\\hiberfil.sys already exists here";
  TempFolder dir;
  ASSERT_TRUE(
      writeTestFile(dir / "hiberfil.sys", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(modPower::HibernateAvailable(fs));
}

TEST(Win32PowerApi, ReportsThePlatformThroughTheVersionRecord) {
  Win32PowerApi api;
  OsVersionInfoA info;
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(api.getVersionEx(info));
  EXPECT_EQ(info.dwPlatformId, power::kVerPlatformWin32Nt);
  EXPECT_GE(info.dwMajorVersion, 5u);
  EXPECT_TRUE(modPower::IsWinNT(api));

  OsVersionInfoA wrongSize;
  wrongSize.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(api.getVersionEx(wrongSize));
  EXPECT_EQ(wrongSize.dwPlatformId, 0u);
}

TEST(Win32PowerApi, TokenRecordsCrossUnchanged) {
  Win32PowerApi api;
  SysHandle token = 0;
  ASSERT_TRUE(api.openProcessToken(api.getCurrentProcess(),
                                   power::kTokenAdjustPrivileges | power::kTokenQuery, token));
  ASSERT_NE(token, 0u);

  Luid luid;
  ASSERT_TRUE(api.lookupPrivilegeValue("", power::kSeShutdownName, luid));
  LUID expected{};
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &expected));
  EXPECT_EQ(luid.LowPart, expected.LowPart);
  EXPECT_EQ(luid.HighPart, expected.HighPart);
  EXPECT_FALSE(api.lookupPrivilegeValue("", "NoSuchPrivilege", luid));

  TokenPrivileges enable;
  enable.PrivilegeCount = 1;
  enable.Privileges[0].Luid = {expected.LowPart, expected.HighPart};
  enable.Privileges[0].Attributes = power::kSePrivilegeEnabled;
  TokenPrivileges previous;
  std::uint32_t length = 4;
  ASSERT_TRUE(api.adjustTokenPrivileges(token, false, enable, sizeof previous, previous, length));
  // The previous state names the same privilege; put it back as it was.
  if (previous.PrivilegeCount == 1) {
    EXPECT_EQ(previous.Privileges[0].Luid, enable.Privileges[0].Luid);
    EXPECT_EQ(length, 16u);
    TokenPrivileges ignored;
    std::uint32_t ignoredLength = 0;
    EXPECT_TRUE(
        api.adjustTokenPrivileges(token, false, previous, sizeof ignored, ignored, ignoredLength));
  }

  EXPECT_TRUE(api.closeHandle(token));
}

}  // namespace
}  // namespace quenmark::win32
