#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "core/schedule/schedule_file.h"
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

  EXPECT_EQ(readScheduleRecords(fs, codec, program.path()), std::vector<ScheduleRecord>{r});
  const Result<ScheduleRecord> back = readScheduleFile(fs, codec, program.path(), r.Name);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, r);
}

// A new name is taken when the file system would open an existing file for it, whatever
// letters the case folding involves.
TEST_F(ScheduleFileWin32Test, ANameIsTakenInEveryCaseTheFileSystemFolds) {
  const struct {
    const char* onDisk;
    const char* asked;
    bool taken;
  } cases[] = {
      {"\u0490anok", "\u0491anok", true},              // Ukrainian ghe with upturn
      {"\u0386\u03bb\u03c6\u03b1", "\u03ac\u039b\u03a6\u0391", true},  // Greek with tonos
      {"\uff21\uff22", "\uff41\uff42", true},        // full-width Latin
      {"\u0531\u0562", "\u0561\u0532", true},        // Armenian
      {"Caf\u00e9", "CAF\u00c9", true},
      {"night", "nights", false},
  };
  for (const auto& c : cases) {
    ScheduleRecord r;
    r.Name = c.onDisk;
    ASSERT_EQ(SaveScheduleFile(fs, codec, program.path(), r), std::nullopt) << c.onDisk;
    EXPECT_EQ(scheduleFileTaken(fs, program.path(), c.asked), c.taken) << c.asked;
    EXPECT_EQ(scheduleFileTaken(fs, program.path(), c.onDisk), true) << c.onDisk;
  }
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
