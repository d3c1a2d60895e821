#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "core/schedule/schedule_file.h"
#include "core/schedule/text_fields.h"
#include "support/fake_file_system.h"

namespace quenmark {
namespace {

using namespace std::string_literals;
using testing::FakeFileSystem;

const std::string kProgram = "C:\\Apps\\Quenmark";
const std::string kData = "C:\\Apps\\Quenmark\\data";

ScheduleRecord weekly() {
  ScheduleRecord r;
  r.Name = "night";
  r.ItemType = "Shut Down";
  r.Enabled = true;
  r.StartDate = "12/1/2025";
  r.StartTime = "22:30:00";
  r.Repeat = true;
  r.SAccurancy = 1;
  r.Period = "mon,fri";
  return r;
}

const std::string kWeeklyText =
    "<DATA>\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n</DATA>\r\n\r\n"
    "<SCHEDULER>\r\nStartDate=12/1/2025\r\nStartTime=22:30:00\r\nRepeat=-1\r\n"
    "SAccurancy=1\r\nPeriod=mon,fri\r\nRunOnStart=0\r\nRunOnEnd=0\r\n"
    "</SCHEDULER>\r\n\r\n";

struct TextCase {
  const char* what;
  ScheduleRecord record;
  std::string expected;
};

TEST(ScheduleFileText, WritesTheSixteenLinesByteForByte) {
  ScheduleRecord off;
  off.ItemType = "Reboot";
  ScheduleRecord monthly = weekly();
  monthly.ItemType = "Stand by";
  monthly.SAccurancy = 2;
  monthly.Period = "1,15";
  monthly.StartDate = "2025-12-01";
  ScheduleRecord flags;  // Enabled is absolute, the other Booleans signed
  flags.Enabled = true;
  flags.RunOnStart = true;
  flags.RunOnEnd = true;
  flags.LastRunTime = "x";
  const TextCase cases[] = {
      {"weekly example", weekly(), kWeeklyText},
      {"start switched off", off,
       "<DATA>\r\nLastRunTime=\r\nItemType=Reboot\r\nEnabled=0\r\n</DATA>\r\n\r\n"
       "<SCHEDULER>\r\nStartDate=\r\nStartTime=\r\nRepeat=0\r\nSAccurancy=0\r\nPeriod=\r\n"
       "RunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n"},
      {"monthly", monthly,
       "<DATA>\r\nLastRunTime=\r\nItemType=Stand by\r\nEnabled=1\r\n</DATA>\r\n\r\n"
       "<SCHEDULER>\r\nStartDate=2025-12-01\r\nStartTime=22:30:00\r\nRepeat=-1\r\n"
       "SAccurancy=2\r\nPeriod=1,15\r\nRunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n"},
      {"Boolean encodings", flags,
       "<DATA>\r\nLastRunTime=x\r\nItemType=\r\nEnabled=1\r\n</DATA>\r\n\r\n"
       "<SCHEDULER>\r\nStartDate=\r\nStartTime=\r\nRepeat=0\r\nSAccurancy=0\r\nPeriod=\r\n"
       "RunOnStart=-1\r\nRunOnEnd=-1\r\n</SCHEDULER>\r\n\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(scheduleFileText(c.record), c.expected) << c.what;
}

class SaveScheduleFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addDirectory("C:\\Apps");
    fs.addDirectory(kProgram);
    fs.addDirectory(kData);
  }
  FakeFileSystem fs;
  Cp1252Codec codec;
};

TEST_F(SaveScheduleFileTest, WritesTheFileInTheAnsiCodePage) {
  ScheduleRecord r = weekly();
  r.Name = "Caf\u00e9";
  r.ItemType = "Red\u00e9marrer";
  EXPECT_EQ(SaveScheduleFile(fs, codec, kProgram, r), std::nullopt);
  ASSERT_TRUE(fs.exists(kData + "\\Caf\u00e9.sch"));
  std::string expected = kWeeklyText;
  expected.replace(expected.find("Shut Down"), 9, "Red\xe9marrer");
  EXPECT_EQ(fs.contents(kData + "\\Caf\u00e9.sch"), expected);
}

TEST_F(SaveScheduleFileTest, ReplacesAnExistingFileWhole) {
  fs.addFile(kData + "\\night.sch", std::string(5000, 'z'));
  EXPECT_EQ(SaveScheduleFile(fs, codec, kProgram, weekly()), std::nullopt);
  EXPECT_EQ(fs.contents(kData + "\\night.sch"), kWeeklyText);
}

TEST_F(SaveScheduleFileTest, AFailedReplaceKeepsTheOldFileAndReportsTheError) {
  const std::string old = "<DATA>\r\nItemType=Reboot\r\n\xff\x00\r\n</DATA>\r\n"s;
  fs.addFile(kData + "\\night.sch", old);
  fs.failNext("replaceFile", {5, "Access is denied."});
  Status s = SaveScheduleFile(fs, codec, kProgram, weekly());
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->message(), "Error 5 - Access is denied.");
  EXPECT_EQ(fs.contents(kData + "\\night.sch"), old);
}

TEST_F(SaveScheduleFileTest, AMissingDataFolderIsReported) {
  FakeFileSystem bare;
  Status s = SaveScheduleFile(bare, codec, kProgram, weekly());
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->message(), "Error 3 - The system cannot find the path specified.");
  EXPECT_FALSE(bare.exists(kData + "\\night.sch"));
}

TEST_F(SaveScheduleFileTest, RefusedNamesWriteNothingAnywhere) {
  std::vector<std::string> names = {
      "a\\b",       "..\\escape",   "a/b",     "C:x",      "a*",        "what?",
      "say \"hi\"", "a<b",          "a>b",     "a|b",      "tab\there", "line\r\nbreak",
      "\x01",       "nul\x00byte"s, "del\x7f", "c1\u0085", "CON",       "con",
      "Con.txt",    "PRN",          "prn.sch", "AUX",      "aux.a.b",   "NUL",
      "nUl",        "CON .txt",     "CON ",    "conin$",   "CONOUT$",   "com\u00b9",
      "LPT\u00b3.x"};
  for (char d = '1'; d <= '9'; ++d) {
    for (std::string port : {"COM", "com", "LPT", "Lpt"}) {
      names.push_back(port + d);
      names.push_back(port + d + ".log");
    }
  }
  for (const auto& name : names) {
    ScheduleRecord r = weekly();
    r.Name = name;
    Status s = SaveScheduleFile(fs, codec, kProgram, r);
    ASSERT_TRUE(s.has_value()) << name;
    EXPECT_EQ(s->message(),
              "Error 123 - The filename, directory name, or volume label syntax is incorrect.")
        << name;
    EXPECT_TRUE(fs.calls.empty()) << name;
  }
}

TEST_F(SaveScheduleFileTest, PlainNamesAreAccepted) {
  const std::string names[] = {"night",     "Night shift 2", "CONSOLE", "icon",        "COM10",
                               "LPT",       "COM0",          " con",    "a.b",         "com1x",
                               "Caf\u00e9", "50% off!",      "   ",     "nul-and-void"};
  for (const auto& name : names) {
    EXPECT_EQ(validateScheduleName(name), std::nullopt) << name;
    ScheduleRecord r = weekly();
    r.Name = name;
    EXPECT_EQ(SaveScheduleFile(fs, codec, kProgram, r), std::nullopt) << name;
    EXPECT_TRUE(fs.exists(kData + "\\" + name + ".sch")) << name;
  }
}

// ---- reading for the list ---------------------------------------------------------------

struct EntryCase {
  const char* what;
  std::string text;
  std::string itemType, lastRunTime, enabled;
};

TEST(EntryFromText, TakesTheColumnsFromTheDataBlock) {
  const EntryCase cases[] = {
      {"written file", kWeeklyText, "Shut Down", "", "Yes"},
      {"Enabled 0", "<DATA>\r\nEnabled=0\r\n</DATA>", "", "", "No"},
      {"Enabled -1 is not Yes", "<DATA>\r\nEnabled=-1\r\n</DATA>", "", "", "No"},
      {"Enabled True is not Yes", "<DATA>\r\nEnabled=True\r\n</DATA>", "", "", "No"},
      {"Enabled with a blank", "<DATA>\r\nEnabled=1 \r\n</DATA>", "", "", "No"},
      {"no Enabled line", "<DATA>\r\nItemType=Reboot\r\n</DATA>", "Reboot", "", "No"},
      {"last run kept as stored", "<DATA>\r\nLastRunTime=1/2/2003 04:05:06\r\n</DATA>", "",
       "1/2/2003 04:05:06", "No"},
      {"lower-case tags", "<data>\r\nItemType=Reboot\r\nEnabled=1\r\n</data>", "", "", "No"},
      {"closing before opening", "</DATA>\r\nEnabled=1\r\n<DATA>", "", "", "No"},
      {"keys without =", "<DATA>\r\nItemType Reboot\r\nEnabled\r\n</DATA>", "", "", "No"},
      {"key case matters", "<DATA>\r\nitemtype=Reboot\r\nENABLED=1\r\n</DATA>", "", "", "No"},
      {"keys outside the block", "ItemType=Reboot\r\nEnabled=1\r\n<DATA>\r\n</DATA>", "", "", "No"},
      {"empty file", "", "", "", "No"},
      {"binary junk", "\x00\xff\xfe<DATA\x00>\r\n=\r\n"s, "", "", "No"},
  };
  for (const auto& c : cases) {
    ScheduleRecord e = readScheduleText("x", c.text);
    EXPECT_EQ(e.Name, "x") << c.what;
    EXPECT_EQ(e.ItemType, c.itemType) << c.what;
    EXPECT_EQ(e.LastRunTime, c.lastRunTime) << c.what;
    EXPECT_EQ(e.Enabled, std::string(c.enabled) == "Yes") << c.what;
  }
}

TEST(EntryFromText, AMegabyteFileIsReadToTheEnd) {
  const std::string padding(1 << 20, 'p');
  const std::string text =
      "<DATA>\r\n" + padding + "\r\nItemType=Log Off\r\nEnabled=1\r\n</DATA>\r\n" + padding;
  ScheduleRecord e = readScheduleText("big", text);
  EXPECT_EQ(e.ItemType, "Log Off");
  EXPECT_TRUE(e.Enabled);
}

TEST(ReadScheduleEntries, ListsTheDataFolderAsTheSearchFindsIt) {
  FakeFileSystem fs;
  Cp1252Codec codec;
  fs.addDirectory(kData);
  fs.addFile(kData + "\\night.sch", kWeeklyText);
  fs.addFile(kData + "\\LOUD.SCH", "<DATA>\r\nItemType=Reboot\r\nEnabled=-1\r\n</DATA>\r\n");
  fs.addFile(kData + "\\hidden.sch", kWeeklyText, attr::kHidden);
  fs.addFile(kData + "\\system.sch", kWeeklyText, attr::kSystem | attr::kArchive);
  fs.addFile(kData + "\\locked.sch", kWeeklyText, attr::kReadOnly);
  fs.addDirectory(kData + "\\folder.sch");
  fs.addFile(kData + "\\notes.txt", kWeeklyText);
  fs.addFile(kData + "\\night.sch.bak", kWeeklyText);
  fs.addFile(kProgram + "\\outside.sch", kWeeklyText);
  fs.addFile(kData + "\\Caf\xc3\xa9.sch", "<DATA>\r\nItemType=Red\xe9marrer\r\n</DATA>\r\n");
  fs.addFile(kData + "\\.sch", "<DATA>\r\nEnabled=1\r\n</DATA>\r\n");

  std::vector<ScheduleRecord> entries = readScheduleRecords(fs, codec, kProgram);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0], readScheduleText("night", kWeeklyText));
  EXPECT_EQ(entries[1].Name, "LOUD");
  EXPECT_EQ(entries[1].ItemType, "Reboot");
  EXPECT_FALSE(entries[1].Enabled);
  EXPECT_EQ(entries[2].Name, "locked");
  EXPECT_EQ(entries[3].Name, "Caf\u00e9");
  EXPECT_EQ(entries[3].ItemType, "Red\u00e9marrer");
  EXPECT_EQ(entries[4].Name, "");
  EXPECT_TRUE(entries[4].Enabled);
  EXPECT_EQ(fs.calls.front(), "find " + kData + "\\*.sch");
}

TEST(ReadScheduleEntries, AnUnreadableFileIsListedWithEmptyColumns) {
  FakeFileSystem fs;
  Cp1252Codec codec;
  fs.addDirectory(kData);
  fs.addFile(kData + "\\a.sch", kWeeklyText);
  fs.addFile(kData + "\\b.sch", kWeeklyText);
  fs.failNext("readFile", {32, "The process cannot access the file."});
  std::vector<ScheduleRecord> entries = readScheduleRecords(fs, codec, kProgram);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], ScheduleRecord{.Name = "a"});
  EXPECT_EQ(entries[1].ItemType, "Shut Down");
}

TEST(ReadScheduleEntries, NoOrAnEmptyDataFolderGivesAnEmptyList) {
  FakeFileSystem fs;
  Cp1252Codec codec;
  EXPECT_TRUE(readScheduleRecords(fs, codec, kProgram).empty());
  fs.addDirectory(kData);
  EXPECT_TRUE(readScheduleRecords(fs, codec, kProgram).empty());
}

// ---- value conversions ------------------------------------------------------------------

TEST(ParseBoolean, NumbersAndTheWordsTrueFalse) {
  const std::pair<std::string, bool> cases[] = {
      {"-1", true},     {"1", true},      {"0", false},     {"2", true},      {"-7", true},
      {"0.5", true},    {"0.0", false},   {"-0", false},    {"+1", true},     {"1e3", true},
      {".5", true},     {" 1 ", true},    {"\t0", false},   {"True", true},   {"true", true},
      {"TRUE", true},   {" True ", true}, {"False", false}, {"false", false}, {"", false},
      {"yes", false},   {"Y", false},     {"1x", false},    {"0x10", false},  {"inf", false},
      {"-inf", false},  {"nan", false},   {"+-1", false},   {"--1", false},   {"1,5", false},
      {"1e999", false}, {"T rue", false}, {"-", false},     {".", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parseBoolean(text), expected) << text;
}

TEST(ParseInt16, SixteenBitOrZero) {
  const std::pair<std::string, int> cases[] = {
      {"0", 0},
      {"1", 1},
      {"2", 2},
      {"-5", -5},
      {" 2 ", 2},
      {"32767", 32767},
      {"-32768", -32768},
      {"32768", 0},
      {"-32769", 0},
      {"1e1", 10},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"1.4", 1},
      {"1.6", 2},
      {"32767.4", 32767},
      {"32767.5", 0},
      {"", 0},
      {"abc", 0},
      {"1x", 0},
      {"0x1", 0},
      {"1e400", 0},
      {"99999999999999999999", 0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parseInt16(text), expected) << text;
}

// ---- reading one file into CurrentSchedule ----------------------------------------------

struct FieldsCase {
  const char* what;
  std::string text;
  std::string startDate, startTime, period;
  bool repeat, runOnStart, runOnEnd;
  int sAccurancy;
};

TEST(ReadSchedulerFields, ConvertsEachField) {
  const FieldsCase cases[] = {
      {"written file", kWeeklyText, "12/1/2025", "22:30:00", "mon,fri", true, false, false, 1},
      {"words and odd numbers",
       "<SCHEDULER>\r\nRepeat=True\r\nRunOnStart=1\r\nRunOnEnd=false\r\nSAccurancy=2\r\n"
       "</SCHEDULER>",
       "", "", "", true, true, false, 2},
      {"values that do not convert",
       "<SCHEDULER>\r\nRepeat=yes\r\nRunOnStart=-\r\nSAccurancy=weekly\r\n</SCHEDULER>", "", "", "",
       false, false, false, 0},
      {"SAccurancy out of range", "<SCHEDULER>\r\nSAccurancy=40000\r\n</SCHEDULER>", "", "", "",
       false, false, false, 0},
      {"trailing blanks belong to the value",
       "<SCHEDULER>\r\nStartTime=07:05:00  \r\nPeriod=1,15 \r\n</SCHEDULER>", "", "07:05:00  ",
       "1,15 ", false, false, false, 0},
      {"last value without CR LF", "<SCHEDULER>\r\nPeriod=1,15</SCHEDULER>", "", "", "", false,
       false, false, 0},
      {"keys from the DATA block are not used",
       "<DATA>\r\nRepeat=-1\r\n</DATA>\r\n<SCHEDULER>\r\n</SCHEDULER>", "", "", "", false, false,
       false, 0},
      {"lower-case tags", "<scheduler>\r\nRepeat=-1\r\n</scheduler>", "", "", "", false, false,
       false, 0},
      {"empty file", "", "", "", "", false, false, false, 0},
      {"binary junk", "\xff\x00<SCHEDULER>\x01Repeat=\x02\r\n\x00</SCHEDULER>\xfe"s, "", "", "",
       false, false, false, 0},
  };
  for (const auto& c : cases) {
    ScheduleRecord r = weekly();
    r.Name = "keep";
    readSchedulerFields(getTagText(c.text, "SCHEDULER"), r);
    EXPECT_EQ(r.StartDate, c.startDate) << c.what;
    EXPECT_EQ(r.StartTime, c.startTime) << c.what;
    EXPECT_EQ(r.Period, c.period) << c.what;
    EXPECT_EQ(r.Repeat, c.repeat) << c.what;
    EXPECT_EQ(r.RunOnStart, c.runOnStart) << c.what;
    EXPECT_EQ(r.RunOnEnd, c.runOnEnd) << c.what;
    EXPECT_EQ(r.SAccurancy, c.sAccurancy) << c.what;
    EXPECT_EQ(r.Name, "keep") << c.what;
    EXPECT_EQ(r.ItemType, "Shut Down") << c.what;
    EXPECT_TRUE(r.Enabled) << c.what;
  }
}

TEST(ReadScheduleFile, ReadsBackWhatWasSaved) {
  FakeFileSystem fs;
  Cp1252Codec codec;
  fs.addDirectory(kData);
  ScheduleRecord saved = weekly();
  saved.Name = "\u00e9t\u00e9";
  saved.StartDate = "1.12.2025";
  saved.Period = "1,15,31";
  saved.SAccurancy = 2;
  saved.RunOnEnd = true;
  ASSERT_EQ(SaveScheduleFile(fs, codec, kProgram, saved), std::nullopt);

  const Result<ScheduleRecord> read = readScheduleFile(fs, codec, kProgram, saved.Name);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, saved);
}

}  // namespace
}  // namespace quenmark
