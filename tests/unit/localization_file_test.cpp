#include <gtest/gtest.h>

#include "core/i18n/localization_file.h"
#include "support/localization_text.h"

namespace quenmark {
namespace {

using Lines = std::vector<std::string>;

std::string group(const std::string& name, const Lines& items, const std::string& nl = "\r\n") {
  return testing::languageGroup(name, items, nl);
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n";
// A group named Deutsch whose item list tags are missing.
const std::string kNoItems =
    "<LANGUAGE_GROUP xml:lang=\"de\">\r\n\t<LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>\r\n"
    "\t\t<A>b</A>\r\n</LANGUAGE_GROUP>\r\n";

struct ReaderCase {
  const char* what;
  std::string file;
  const char* language;
  std::optional<Lines> expected;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.what; }

class ReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTest, CutsTheLinesOfTheRequestedGroup) {
  EXPECT_EQ(readTranslationLines(GetParam().file, GetParam().language), GetParam().expected);
}

// A file read in pieces of every small size, as it stands on disk (with a byte-order mark,
// malformed bytes beside every tag), gives the lines the whole decoded file gives; a failed
// read gives none.
TEST_P(ReaderTest, ReadsTheSameFromTheFileInPieces) {
  std::string marred;
  for (char c : GetParam().file) marred.append(1, c).append(c == '>' || c == '<' ? "\xC3" : "");
  for (const std::string& file : {GetParam().file, "\xEF\xBB\xBF" + GetParam().file, marred}) {
    const auto whole = readTranslationLines(decodeLocalizationFile(file), GetParam().language);
    for (std::size_t size : {1, 2, 3, 5, 7, 4096}) {
      std::size_t at = 0;
      const auto lines = readTranslationLines(
          [&]() -> std::optional<std::string> {
            at += size;
            return file.substr(std::min(at - size, file.size()), size);
          },
          GetParam().language);
      EXPECT_EQ(lines, whole) << size << " " << ::testing::PrintToString(file);
    }
  }
  int reads = 0;
  EXPECT_EQ(readTranslationLines(
                [&]() -> std::optional<std::string> {
                  if (++reads == 3) return std::nullopt;
                  return GetParam().file.substr(8 * (reads - 1), 8);
                },
                GetParam().language),
            std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderTest,
    ::testing::Values(
        ReaderCase{"second group, name case ignored",
                   kHead + group("English", {"<A>a</A>"}) + group("Deutsch", {"<A>b</A>"}),
                   "DEUTSCH", Lines{"", "\t\t<A>b</A>", "\t"}},
        ReaderCase{"lower-case tags",
                   "<language_group>\r\n<language_name>Deutsch</language_name>\r\n"
                   "<translation_items>\r\n<a>b</a>\r\n</translation_items>\r\n"
                   "</language_group>\r\n",
                   "Deutsch", Lines{"", "<a>b</a>", ""}},
        ReaderCase{"leading space in the name", kHead + group(" Deutsch", {"<A>b</A>"}), "Deutsch",
                   std::nullopt},
        ReaderCase{"LF line ends: one line",
                   kHead + group("Deutsch", {"<A>b</A>", "<B>c</B>"}, "\n"), "Deutsch",
                   Lines{"\n\t\t<A>b</A>\n\t\t<B>c</B>\n\t"}},
        ReaderCase{"empty item list",
                   "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>"
                   "<TRANSLATION_ITEMS></TRANSLATION_ITEMS></LANGUAGE_GROUP>",
                   "Deutsch", Lines{}},
        ReaderCase{"same name twice: the first group",
                   group("Deutsch", {"<A>1</A>"}) + group("Deutsch", {"<A>2</A>"}), "Deutsch",
                   Lines{"", "\t\t<A>1</A>", "\t"}},
        ReaderCase{"no such group", group("English", {"<A>a</A>"}), "Deutsch", std::nullopt},
        ReaderCase{"an unclosed group swallows the next one",
                   "<LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME>\r\n" +
                       group("Deutsch", {"<A>b</A>"}),
                   "Deutsch", std::nullopt},
        ReaderCase{"group closing tag missing at the end",
                   group("English", {}) + "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>",
                   "Deutsch", std::nullopt},
        ReaderCase{"name closing tag missing in an earlier group",
                   "<LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_GROUP>" +
                       group("Deutsch", {"<A>b</A>"}),
                   "Deutsch", std::nullopt},
        ReaderCase{"item list closing tag missing",
                   "<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME><TRANSLATION_ITEMS>"
                   "<A>b</A></LANGUAGE_GROUP>",
                   "Deutsch", std::nullopt},
        ReaderCase{"non-ASCII group name", kHead + group("Русский", {"<A>Выход</A>"}), "русский",
                   Lines{"", "\t\t<A>Выход</A>", "\t"}},
        // The group's cut would end before it starts: the whole read ends there.
        ReaderCase{"stray group closing tag before the group",
                   kHead + "</LANGUAGE_GROUP>\r\n" + group("Deutsch", {"<A>b</A>"}), "Deutsch",
                   std::nullopt},
        ReaderCase{
            "stray group closing tag between groups",
            kHead + group("English", {}) + "</LANGUAGE_GROUP>\r\n" + group("Deutsch", {"<A>b</A>"}),
            "Deutsch", std::nullopt},
        ReaderCase{"requested group without its item list",
                   kHead + kNoItems + group("Deutsch", {"<A>b</A>"}), "Deutsch", std::nullopt},
        ReaderCase{"a group without its item list is passed by",
                   kHead + kNoItems + group("English", {"<A>a</A>"}), "English",
                   Lines{"", "\t\t<A>a</A>", "\t"}}));

struct ItemCase {
  const char* what;
  Lines lines;
  const char* key;
  std::optional<std::string> expected;
};

void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.what; }

class ItemTest : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ItemTest, TakesTheTextOfTheFirstMatchingLine) {
  EXPECT_EQ(findItemText(GetParam().lines, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ItemTest,
    ::testing::Values(
        ItemCase{"indented line",
                 {"", "\t\t<FRMMAIN_CMDGO>Los</FRMMAIN_CMDGO>", "\t"},
                 "frmMain_cmdGo",
                 "Los"},
        ItemCase{"lower-case tags", {"<msg_sure>Sicher?</msg_sure>"}, "MSG_SURE", "Sicher?"},
        ItemCase{"closing tag on the next line",
                 {"<MSG_SURE>Sicher?", "</MSG_SURE>", "<MSG_SURE>x</MSG_SURE>"},
                 "MSG_SURE",
                 std::nullopt},
        ItemCase{"two lines with one key", {"<K1>first</K1>", "<K1>second</K1>"}, "K1", "first"},
        ItemCase{"empty text", {"<MSG_SURE></MSG_SURE>"}, "MSG_SURE", ""},
        ItemCase{
            "a longer key is another key", {"<MSG_SUREX>x</MSG_SUREX>"}, "MSG_SURE", std::nullopt},
        ItemCase{"head under three characters", {"<A>x</A>"}, "A", std::nullopt},
        ItemCase{"closing tag before the opening one", {"<KEY></KEY><KEY>"}, "KEY", ""},
        ItemCase{"text before the tag", {"junk<K1>x</K1>"}, "K1", "x"},
        ItemCase{"no opening bracket", {"KEY>text</KEY>"}, "KEY", "text"},
        ItemCase{"text kept verbatim",
                 {"<K1>Tom &amp; <b>Jerry</b> — 日本</K1>"},
                 "K1",
                 "Tom &amp; <b>Jerry</b> — 日本"},
        ItemCase{"no lines", {}, "K1", std::nullopt}));

TEST(LanguageGroupNames, ListsEveryGroupInFileOrderUntilABrokenOne) {
  const std::string file =
      kHead + group("English", {}) + group(" Deutsch ", {}) + group("English", {}) +
      "<LANGUAGE_GROUP><LANGUAGE_NAME>Broken</LANGUAGE_GROUP>" + group("Русский", {});
  EXPECT_EQ(languageGroupNames(file), (Lines{"English", " Deutsch ", "English"}));
  EXPECT_EQ(languageGroupNames("no groups here"), Lines{});
}

TEST(LanguageGroupNames, StopsAtAStrayClosingTag) {
  EXPECT_EQ(languageGroupNames(kHead + group("English", {}) + "</LANGUAGE_GROUP>\r\n" +
                               group("Deutsch", {})),
            Lines{"English"});
  EXPECT_EQ(languageGroupNames(kHead + kNoItems + group("English", {})),
            (Lines{"Deutsch", "English"}));
}

TEST(TranslationKey, JoinsWindowControlAndTheTextsPlace) {
  EXPECT_EQ(translationKey("frmLanguage", "Command1"), "frmLanguage_Command1");
  EXPECT_EQ(translationKey("frmMain", "tabMain", ControlText::kTab, 2), "frmMain_tabMain_TABS2");
  EXPECT_EQ(translationKey("frmMain", "lstSchedules", ControlText::kColumn, 1),
            "frmMain_lstSchedules_COL1");
  EXPECT_EQ(translationKey("frmWizard", "optRepeat", ControlText::kArrayElement, 0),
            "frmWizard_optRepeat0");
  EXPECT_EQ(translationKey("frmMain", "mnuFileItem", ControlText::kArrayElement, 12),
            "frmMain_mnuFileItem12");
}

TEST(DecodeLocalizationFile, ReadsUtf8WithOrWithoutByteOrderMark) {
  const std::string file = group("Русский", {"<A>Выход</A>"});
  EXPECT_EQ(readTranslationLines(decodeLocalizationFile("\xEF\xBB\xBF" + file), "Русский"),
            readTranslationLines(decodeLocalizationFile(file), "Русский"));
  EXPECT_TRUE(readTranslationLines(decodeLocalizationFile("\xEF\xBB\xBF" + file), "Русский"));
}

}  // namespace
}  // namespace quenmark
