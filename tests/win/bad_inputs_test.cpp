#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/wizard/wizard_model.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/schedule_file.h"
#include "support/bad_inputs.h"
#include "support/main_window_fixture_win32.h"

// The Windows part of the bad-input catalogue (tests/data/bad-inputs/MANIFEST.md): what the
// real file system and the list view make of each input.
namespace quenmark::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// 10 MB of comment lines in the middle of an otherwise plain schedule.
std::string tenMegabyteSchedule() {
  std::string filler;
  const std::string line = "Note=" + std::string(93, 'x') + "\r\n";
  while (filler.size() < 10u * 1024 * 1024) filler += line;
  return "<DATA>\r\nLastRunTime=\r\nItemType=Reboot\r\nEnabled=1\r\n</"
         "DATA>\r\n\r\n<SCHEDULER>\r\n" +
         filler +
         "StartDate=3/20/2025\r\nStartTime=09:15:00\r\nRepeat=0\r\nSAccurancy=0\r\nPeriod=\r\n"
         "RunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n";
}

// Each broken schedule file is listed under its name, shows what can be read of it, and a
// click on it (which reads it again) breaks nothing; only the big one, intact around its
// bulk, has a next run.
TEST_F(MainWindowTest, BadScheduleFilesAreListedAndNeverBreakTheList) {
  const std::vector<std::string> files = {"binary-junk.sch", "nul-bytes.sch", "lone-lf.sch",
                                          "lone-cr.sch"};
  for (const std::string& f : files) {
    const std::string bytes = badInput(f);
    ASSERT_FALSE(bytes.empty()) << f;
    ASSERT_TRUE(writeTestFile(folder / ("data\\" + f), bytes));
  }
  ASSERT_TRUE(writeTestFile(folder / "data\\ten-megabytes.sch", tenMegabyteSchedule()));

  const auto start = std::chrono::steady_clock::now();
  load();
  const auto took = std::chrono::steady_clock::now() - start;
  Rows got = rows();
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (Rows{{"binary-junk", "", "", "", "No"},
                       {"lone-cr", "", "", "", "No"},
                       {"lone-lf", "", "", "", "No"},
                       {"nul-bytes", "Re", "", "", "Yes"},  // the list shows text up to a NUL
                       {"ten-megabytes", "Reboot", "", "3/20/2025 09:15:00", "Yes"}}));
  EXPECT_LT(took, std::chrono::seconds(5));
  std::printf(
      "BADINPUT | the load with a 10 MB schedule file | %lld ms |\n",
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
  for (int r = 0; r < list().itemCount(); ++r) clickRow(r);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(power.calls().empty());
}

// Names the file system cannot take as they are: refused with the error before anything is
// written, so the data folder stays empty; the longest name that fits is saved and can be
// listed and deleted like any other.
TEST(BadInputs, ReservedAndOverlongNamesAreRefusedAndWriteNothing) {
  TempFolder program;
  win32::Win32FileSystem fs;
  win32::AnsiCodec codec;
  ASSERT_EQ(fs.createDirectory(dataFolder(program.path())), std::nullopt);
  // The path of a name of n characters is this long: folder, name, ".sch".
  const std::size_t around = dataFolder(program.path()).size() + 4;
  auto named = [](std::size_t n) { return std::string(n, 'n'); };
  const std::string invalid =
      "Error 123 - The filename, directory name, or volume label syntax is incorrect.";
  const std::string tooLong = "Error 206 - The filename or extension is too long.";
  const struct {
    std::string name;
    std::string refused;  // empty: saved
  } cases[] = {
      {"CON", invalid},
      {"nul.txt", invalid},
      {"COM1", invalid},
      {"lpt9.log", invalid},
      {"CONOUT$", invalid},
      {"AUX .sch", invalid},
      {named(259 - around), ""},  // a path of MAX_PATH - 1 characters, the longest there is
      {named(260 - around), tooLong},
      {named(300 - around), tooLong},
      {named(255), tooLong},  // longer than a file name may be anywhere
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.name.size()) + " " + c.name.substr(0, 10));
    wizard::WizardModel m = wizard::newSchedule(at(2026, 6, 3, 9), "Reboot");
    m.name = c.name;
    const wizard::OkResult r = wizard::cmdOK_Click(
        m,
        {{}, "Quenmark", [](const std::string& key) { return key; }, {"M/d/yyyy"}, program.path()},
        fs, codec);
    EXPECT_EQ(r.saved, c.refused.empty());
    EXPECT_EQ(r.message ? r.message->text : "", c.refused);
    const std::vector<std::string> there = fs.find(dataFolder(program.path()) + "*", 0xFF);
    if (c.refused.empty()) {
      EXPECT_EQ(there, std::vector<std::string>{c.name + ".sch"});
      EXPECT_EQ(readScheduleRecords(fs, codec, program.path()).size(), 1u);
      EXPECT_EQ(fs.deleteFile(scheduleFilePath(program.path(), c.name)), std::nullopt);
    }
    EXPECT_TRUE(fs.find(dataFolder(program.path()) + "*", 0xFF).empty());
  }
}

}  // namespace
}  // namespace quenmark::testing
