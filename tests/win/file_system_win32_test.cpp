#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_win32.h"
#include "support/temp_folder_win32.h"

namespace quenmark::win32 {
namespace {

using testing::readTestFile;
using testing::TempFolder;
using testing::writeTestFile;
using Names = std::vector<std::string>;

Names sorted(Names v) {
  std::sort(v.begin(), v.end());
  return v;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TempFolder dir;
  Win32FileSystem fs;

  // Files of the folder that do not belong to the test: leftovers of a replace.
  Names everything() const { return sorted(fs.find(dir / "*", 0xFF)); }
};

TEST_F(Win32FileSystemTest, FindFiltersByTheAttributeMask) {
  ASSERT_TRUE(writeTestFile(dir / "plain.sch", "p"));
  ASSERT_TRUE(writeTestFile(dir / "LOUD.SCH", "l"));
  ASSERT_TRUE(writeTestFile(dir / "readonly.sch", "r", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(writeTestFile(dir / "hidden.sch", "h", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(writeTestFile(dir / "system.sch", "s", FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(writeTestFile(dir / "both.sch", "b", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(writeTestFile(dir / "notes.txt", "n"));
  ASSERT_TRUE(CreateDirectoryW(widen(dir / "folder.sch").c_str(), nullptr));

  struct Case {
    std::uint32_t mask;
    Names expected;
  };
  const Case cases[] = {
      {0, {"LOUD.SCH", "plain.sch", "readonly.sch"}},
      {attr::kReadOnly, {"LOUD.SCH", "plain.sch", "readonly.sch"}},
      {attr::kHidden, {"LOUD.SCH", "hidden.sch", "plain.sch", "readonly.sch"}},
      {attr::kSystem, {"LOUD.SCH", "plain.sch", "readonly.sch", "system.sch"}},
      {attr::kHidden | attr::kSystem,
       {"LOUD.SCH", "both.sch", "hidden.sch", "plain.sch", "readonly.sch", "system.sch"}},
      {attr::kDirectory, {"LOUD.SCH", "folder.sch", "plain.sch", "readonly.sch"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sorted(fs.find(dir / "*.sch", c.mask)), c.expected) << "mask " << c.mask;
  }
}

TEST_F(Win32FileSystemTest, FindNeverReturnsTheDotEntries) {
  ASSERT_TRUE(CreateDirectoryW(widen(dir / "sub").c_str(), nullptr));
  EXPECT_EQ(fs.find(dir / "sub\\*", 0xFF), Names{});
  EXPECT_EQ(fs.find(dir / "missing\\*.sch", 0), Names{});
}

TEST_F(Win32FileSystemTest, FindAndReadKeepUnicodeNames) {
  const std::string name = "Caf\u00e9 \u65e5\u672c.sch";
  ASSERT_TRUE(writeTestFile(dir / name, "x"));
  EXPECT_EQ(fs.find(dir / "*.sch", 0), Names{name});
  auto r = fs.readFile(dir / name);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(*r, "x");
}

TEST_F(Win32FileSystemTest, ReadFileReturnsEveryByte) {
  std::string bytes(200'000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 256);
  ASSERT_TRUE(writeTestFile(dir / "big.bin", bytes));
  auto r = fs.readFile(dir / "big.bin");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(*r, bytes);

  // Parts: from the start, across the middle, cut by the end, past the end.
  for (auto [offset, size] : {std::pair<std::size_t, std::size_t>{0, 16}, {99'999, 70'000},
                              {199'990, 64}, {200'000, 8}, {300'000, 8}}) {
    auto part = fs.readFilePart(dir / "big.bin", offset, size);
    ASSERT_TRUE(part.ok()) << offset;
    EXPECT_EQ(*part, bytes.substr(std::min(offset, bytes.size()), size)) << offset;
  }

  for (auto missing : {fs.readFile(dir / "none.sch"), fs.readFilePart(dir / "none.sch", 0, 8)}) {
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().number, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing.error().description, errorDescription(ERROR_FILE_NOT_FOUND));
  }
}

TEST_F(Win32FileSystemTest, ReplaceCreatesAndReplacesWithoutLeavingATemporaryFile) {
  EXPECT_EQ(fs.replaceFile(dir / "a.sch", "first\r\n"), std::nullopt);
  EXPECT_EQ(readTestFile(dir / "a.sch"), "first\r\n");
  EXPECT_EQ(fs.replaceFile(dir / "a.sch", "2"), std::nullopt);
  EXPECT_EQ(readTestFile(dir / "a.sch"), "2");
  EXPECT_EQ(fs.replaceFile(dir / "a.sch", ""), std::nullopt);
  EXPECT_EQ(readTestFile(dir / "a.sch"), "");
  EXPECT_EQ(everything(), Names{"a.sch"});
}

TEST_F(Win32FileSystemTest, AReadOnlyTargetKeepsItsContent) {
  ASSERT_TRUE(writeTestFile(dir / "ro.sch", "old\r\n", FILE_ATTRIBUTE_READONLY));
  Status s = fs.replaceFile(dir / "ro.sch", "new");
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->number, ERROR_ACCESS_DENIED);
  EXPECT_EQ(s->message(), "Error 5 - " + errorDescription(ERROR_ACCESS_DENIED));
  EXPECT_EQ(readTestFile(dir / "ro.sch"), "old\r\n");
  EXPECT_EQ(everything(), Names{"ro.sch"});
}

TEST_F(Win32FileSystemTest, AFolderOfThatNameIsNotReplaced) {
  ASSERT_TRUE(CreateDirectoryW(widen(dir / "x.sch").c_str(), nullptr));
  Status s = fs.replaceFile(dir / "x.sch", "new");
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->number, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(fs.directoryExists(dir / "x.sch"));
  EXPECT_EQ(everything(), Names{"x.sch"});
}

TEST_F(Win32FileSystemTest, AFileHeldOpenWithoutSharingKeepsItsContent) {
  ASSERT_TRUE(writeTestFile(dir / "held.sch", "old\r\n"));
  HANDLE held = CreateFileW(widen(dir / "held.sch").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Status s = fs.replaceFile(dir / "held.sch", "new");
  CloseHandle(held);
  ASSERT_TRUE(s.has_value());
  EXPECT_NE(s->number, 0);
  EXPECT_EQ(s->message(), "Error " + std::to_string(s->number) + " - " +
                              errorDescription(static_cast<DWORD>(s->number)));
  EXPECT_EQ(readTestFile(dir / "held.sch"), "old\r\n");
  EXPECT_EQ(everything(), Names{"held.sch"});
}

TEST_F(Win32FileSystemTest, AMissingFolderIsAnError) {
  Status s = fs.replaceFile(dir / "no\\such\\x.sch", "x");
  ASSERT_TRUE(s.has_value());
  EXPECT_NE(s->number, 0);
  EXPECT_FALSE(fs.directoryExists(dir / "no"));
}

TEST_F(Win32FileSystemTest, DeleteAndFolders) {
  EXPECT_TRUE(fs.directoryExists(dir.path()));
  EXPECT_FALSE(fs.directoryExists(dir / "data"));
  EXPECT_EQ(fs.createDirectory(dir / "data"), std::nullopt);
  EXPECT_TRUE(fs.directoryExists(dir / "data"));
  Status again = fs.createDirectory(dir / "data");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->number, ERROR_ALREADY_EXISTS);

  ASSERT_TRUE(writeTestFile(dir / "data\\x.sch", "x"));
  EXPECT_FALSE(fs.directoryExists(dir / "data\\x.sch"));
  EXPECT_EQ(fs.deleteFile(dir / "data\\x.sch"), std::nullopt);
  EXPECT_EQ(readTestFile(dir / "data\\x.sch"), "<missing>");
  Status gone = fs.deleteFile(dir / "data\\x.sch");
  ASSERT_TRUE(gone.has_value());
  EXPECT_EQ(gone->number, ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace quenmark::win32
