#include <gtest/gtest.h>

#include <string>

#include "core/schedule/text_fields.h"

namespace quenmark {
namespace {

const std::string kFile =
    "<DATA>\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n</DATA>\r\n\r\n"
    "<SCHEDULER>\r\nStartDate=12/1/2025\r\nStartTime=22:30:00\r\nRepeat=-1\r\n"
    "SAccurancy=1\r\nPeriod=mon,fri\r\nRunOnStart=0\r\nRunOnEnd=0\r\n</SCHEDULER>\r\n\r\n";

struct TagCase {
  const char* what;
  std::string text;
  std::string tag;
  std::string expected;
};

TEST(GetTagText, CutsBlocksWithTheirQuirks) {
  const TagCase cases[] = {
      {"data block keeps its line ends", kFile, "DATA",
       "\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n"},
      {"tag is upper-cased before the search", kFile, "scheduler",
       "\r\nStartDate=12/1/2025\r\nStartTime=22:30:00\r\nRepeat=-1\r\nSAccurancy=1\r\n"
       "Period=mon,fri\r\nRunOnStart=0\r\nRunOnEnd=0\r\n"},
      {"lower-case tags in the text are not found", "<data>x</data>", "data", ""},
      {"closing before opening gives nothing", "</A>xx<A>yy", "A", ""},
      {"runs to the last closing tag", "<A>1</A>2</A>", "A", "1</A>2"},
      {"first opening tag wins", "<A>1<A>2</A>", "A", "1<A>2"},
      // No "<A>": the cut starts at 1-based position 3, the length of "<A>".
      {"missing opening starts at its length", "abcdef</A>", "A", "cdef"},
      {"missing opening counts characters, not bytes", "\u00e9abc</A>", "A", "bc"},
      {"missing closing gives nothing", "<A>abc", "A", ""},
      {"empty text", "", "A", ""},
      {"empty block", "<A></A>", "A", ""},
      {"text shorter than the opening tag", "</A>", "A", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(getTagText(c.text, c.tag), c.expected) << c.what;
  }
}

struct KeyCase {
  const char* what;
  std::string text;
  std::string key;
  std::string expected;
};

TEST(GetKeyValue, FindsTheFirstOccurrenceUpToCrLf) {
  const KeyCase cases[] = {
      {"plain value", kFile, "ItemType", "Shut Down"},
      {"empty value", kFile, "LastRunTime", ""},
      {"signed boolean", kFile, "Repeat", "-1"},
      {"empty text", "", "StartDate", ""},
      {"absent key", kFile, "Missing", ""},
      {"key is case-sensitive", "startdate=12/1/2025\r\n", "StartDate", ""},
      {"first occurrence anywhere wins", "StartTime=10:00:00\r\nTime=11:00:00\r\n", "Time",
       "10:00:00"},
      {"no CR LF after the value gives nothing", "Period=1,15", "Period", ""},
      {"a lone LF is no line end", "Period=1,15\nX=1\r\n", "Period", "1,15\nX=1"},
      {"trailing spaces belong to the value", "ItemType=Reboot  \r\n", "ItemType", "Reboot  "},
      {"key without = is not found", "Enabled\r\nEnabled 1\r\n", "Enabled", ""},
      {"value may hold =", "K=a=b\r\n", "K", "a=b"},
      {"key at the very end", "Period=", "Period", ""},
      {"CR LF right after = is an empty value", "Period=\r\nX=1\r\n", "Period", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(getKeyValue(c.text, c.key), c.expected) << c.what;
  }
}

TEST(TextFields, LongTextsHaveNoPositionLimit) {
  // Positions beyond 32767 used to overflow; any length works now.
  std::string big(1 << 20, 'x');
  std::string text = "<A>" + big + "K=value\r\n</A>";
  std::string block = getTagText(text, "A");
  EXPECT_EQ(block.size(), big.size() + 9);
  EXPECT_EQ(getKeyValue(block, "K"), "value");
}

TEST(TextFields, BinaryJunkDoesNotConfuseTheSearch) {
  using namespace std::string_literals;
  const std::string junk = "\0\xff<A>\0K=\x01\x02\r\n</A>\0"s;
  std::string block = getTagText(junk, "A");
  EXPECT_EQ(block, "\0K=\x01\x02\r\n"s);
  EXPECT_EQ(getKeyValue(block, "K"), "\x01\x02");
}

}  // namespace
}  // namespace quenmark
