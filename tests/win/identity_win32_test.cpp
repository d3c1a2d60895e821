#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/win32/text_win32.h"
#include "platform/win32/version_info_win32.h"
#include "base/product_identity.h"

namespace quenmark {
namespace {

// The folder of the running test program, where the build puts every program it makes.
std::string buildFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string p = win32::narrow(std::wstring_view(path, n));
  return p.substr(0, p.find_last_of('\\'));
}

std::string ownPath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return win32::narrow(std::wstring_view(path, n));
}

TEST(IdentityWin32, ReadFromTheRunningProgramsOwnVersionInformation) {
  ProductIdentity id;
  InitProductIdentity(id, win32::FileVersionInfo());
  EXPECT_EQ(id.ProgramName, "Quenmark");
  EXPECT_EQ(id.CompanyName, "Tarvossa");
  EXPECT_EQ(id.Website, "quenmark.example");
  EXPECT_EQ(id.ProductNumber, 25);
  EXPECT_TRUE(id.SkinEnabled);
}

TEST(IdentityWin32, AFileWithoutVersionInformationGivesEmptyFields) {
  EXPECT_EQ(win32::FileVersionInfo(buildFolder() + "\\no-such-file.exe").field("ProductName"), "");
  EXPECT_EQ(win32::FileVersionInfo(buildFolder() + "\\no-such-file.exe").version(),
            (ProgramVersion{0, 0}));
  EXPECT_EQ(win32::FileVersionInfo().field("NoSuchField"), "");
}

// Every Windows program of the build carries the version information, the icon and the
// manifest (common controls 6, per-monitor DPI awareness).
TEST(IdentityWin32, EveryProgramCarriesVersionIconAndManifest) {
  for (const std::string& path :
       {ownPath(), buildFolder() + "\\Quenmark.exe", buildFolder() + "\\unit_tests.exe"}) {
    SCOPED_TRACE(path);
    win32::FileVersionInfo info(path);
    EXPECT_EQ(info.field("ProductName"), "Quenmark");
    EXPECT_EQ(info.field("CompanyName"), "Tarvossa");
    EXPECT_EQ(info.field("Comments"), "quenmark.example");
    EXPECT_EQ(info.field("FileVersion"), "1.0");
    EXPECT_EQ(info.field("ProductVersion"), "1.0");
    EXPECT_EQ(info.version(), (ProgramVersion{1, 0}));

    HMODULE m = LoadLibraryExW(win32::widen(path).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(m, nullptr);
    EXPECT_NE(FindResourceW(m, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr);  // icon group
    HRSRC res = FindResourceW(m, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));          // manifest
    ASSERT_NE(res, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(m, res)));
    std::string manifest(bytes, SizeofResource(m, res));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    FreeLibrary(m);
  }
}

TEST(IdentityWin32, HelpFileIsBuiltBesideThePrograms) {
  std::ifstream chm(buildFolder() + "\\Help.chm", std::ios::binary);
  ASSERT_TRUE(chm.good());
  char magic[4] = {};
  chm.read(magic, 4);
  EXPECT_EQ(std::string(magic, 4), "ITSF");  // the compiled-help signature
}

}  // namespace
}  // namespace quenmark
