#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "schedule/schedule_file.h"
#include "support/temp_folder_win32.h"

namespace quenmark::win32 {
namespace {

using testing::readTestFile;
using testing::TempFolder;

// A program folder of its own for each test, with its data folder.
class ScheduleFileWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(fs.createDirectory(dataFolder(program.path())), std::nullopt); }
  TempFolder program;
  Win32FileSystem fs;
  AnsiCodec codec;
};

TEST_F(ScheduleFileWin32Test, SavesListsAndReadsBackThroughTheRealFileSystem) {
  ScheduleRecord r;
  r.Name = "Nightly shutdown";
  r.ItemType = "Shut Down";
  r.Enabled = true;
  r.StartDate = "12/1/2025";
  r.StartTime = "22:30:00";
  r.Repeat = true;
  r.SAccurancy = 1;
  r.Period = "mon,fri";
  ASSERT_EQ(SaveScheduleFile(fs, codec, program.path(), r), std::nullopt);
  EXPECT_EQ(readTestFile(scheduleFilePath(program.path(), r.Name)), scheduleFileText(r));

  auto entries = readScheduleEntries(fs, codec, program.path());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Nightly shutdown");
  EXPECT_EQ(entries[0].itemType, "Shut Down");
  EXPECT_EQ(entries[0].enabled, "Yes");

  ScheduleRecord back;
  back.Name = r.Name;
  back.ItemType = r.ItemType;
  back.Enabled = r.Enabled;
  ASSERT_TRUE(readScheduleFile(fs, codec, program.path(), r.Name, back));
  EXPECT_EQ(back, r);
}

TEST_F(ScheduleFileWin32Test, ARefusedNameLeavesEveryFolderEmpty) {
  for (const char* name : {"CON", "com3.txt", "..\\up", "a:b", "nul"}) {
    ScheduleRecord r;
    r.Name = name;
    Status s = SaveScheduleFile(fs, codec, program.path(), r);
    ASSERT_TRUE(s.has_value()) << name;
    EXPECT_EQ(s->number, ERROR_INVALID_NAME) << name;
  }
  EXPECT_EQ(fs.find(program / "*", 0xFF), std::vector<std::string>{"data"});
  EXPECT_TRUE(fs.find(dataFolder(program.path()) + "*", 0xFF).empty());
}

}  // namespace
}  // namespace quenmark::win32
