#include <gtest/gtest.h>

#include "i18n/text_case.h"

namespace quenmark {
namespace {

struct UpperCase {
  const char* in;
  const char* out;
};

void PrintTo(const UpperCase& c, std::ostream* os) { *os << c.in; }

class UpperCaseTest : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperCaseTest, UpperCasesEveryLetter) {
  EXPECT_EQ(upperCase(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UpperCaseTest,
    ::testing::Values(
        UpperCase{"frmMain_cmdGo 12", "FRMMAIN_CMDGO 12"},
        UpperCase{"äöüéçñøþ ÿ \u00B5 ß", "ÄÖÜÉÇÑØÞ Ÿ \u039C ß"},
        UpperCase{"āčęğıłńőśťůźżžſ", "ĀČĘĞIŁŃŐŚŤŮŹŻŽS"}, UpperCase{"șțơưǎǆạếỹ", "ȘȚƠƯǍǄẠẾỸ"},
        UpperCase{"αβγδεζηθικλμνξοπρσςτυφχψω", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ"},
        UpperCase{"άέήίόύώϊϋ\u1F00\u1F51\u1FB3", "ΆΈΉΊΌΎΏΪΫ\u1F08\u1F59\u1FBC"},
        UpperCase{"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
        UpperCase{"іїєґўђћџѣәӏ", "ІЇЄҐЎЂЋЏѢӘӀ"}, UpperCase{"աբգ ａｂｃ", "ԱԲԳ ＡＢＣ"},
        UpperCase{"ПРИВЕТ ΩΜΕΓΑ 日本語 ÀÉ", "ПРИВЕТ ΩΜΕΓΑ 日本語 ÀÉ"},
        UpperCase{"a\xFFz", "A\xEF\xBF\xBDZ"}));

TEST(UpperFirst, UpperCasesOnlyTheFirstCharacter) {
  EXPECT_EQ(upperFirst("über alles"), "Über alles");
  EXPECT_EQ(upperFirst("выход из программы"), "Выход из программы");
  EXPECT_EQ(upperFirst("ωmega"), "Ωmega");
  EXPECT_EQ(upperFirst("eRROR"), "ERROR");
  EXPECT_EQ(upperFirst("日本"), "日本");
  EXPECT_EQ(upperFirst(""), "");
}

struct Find {
  const char* text;
  const char* needle;
  std::size_t from;
  std::optional<TextMatch> expected;
};

void PrintTo(const Find& c, std::ostream* os) { *os << c.text << " / " << c.needle; }

class FindNoCaseTest : public ::testing::TestWithParam<Find> {};

TEST_P(FindNoCaseTest, FindsTheFirstMatchAtOrAfterTheStart) {
  const auto& c = GetParam();
  auto m = findNoCase(c.text, c.needle, c.from);
  ASSERT_EQ(m.has_value(), c.expected.has_value());
  if (m) {
    EXPECT_EQ(m->pos, c.expected->pos);
    EXPECT_EQ(m->length, c.expected->length);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindNoCaseTest,
    ::testing::Values(Find{"a<language_group>", "<LANGUAGE_GROUP", 0, TextMatch{1, 15}},
                      Find{"<X><x>", "<X>", 1, TextMatch{3, 3}},
                      Find{"<X>", "<X>", 1, std::nullopt}, Find{"<X>", "<X>", 4, std::nullopt},
                      Find{"abc", "", 2, TextMatch{2, 0}},
                      Find{"Ärger ärger", "ÄRGER", 1, TextMatch{7, 6}},
                      Find{"сказка СКАЗКА", "Сказка", 0, TextMatch{0, 12}},
                      Find{"<ıtems>", "<ITEMS>", 0, TextMatch{0, 8}},
                      Find{"x<TRANſLATION>", "<translation>", 0, TextMatch{1, 14}},
                      Find{"日本語の日本", "日本", 3, TextMatch{12, 6}},
                      Find{"ab", "abc", 0, std::nullopt}));

TEST(ReplaceNoCase, ReplacesEveryOccurrenceWithoutRescanningTheReplacement) {
  EXPECT_EQ(replaceNoCase("[programname] and [PROGRAMNAME]!", "[ProgramName]", "Q"), "Q and Q!");
  EXPECT_EQ(replaceNoCase("[Website]", "[Website]", "[Website][Website]"), "[Website][Website]");
  EXPECT_EQ(replaceNoCase("no placeholder", "[Website]", "x"), "no placeholder");
}

TEST(EqualsNoCase, ComparesWholeTextsIgnoringCase) {
  EXPECT_TRUE(equalsNoCase("Русский", "РУССКИЙ"));
  EXPECT_TRUE(equalsNoCase("msg_title", "MSG_TITLE"));
  EXPECT_FALSE(equalsNoCase("MSG_TITLE", "MSG_TITLEX"));
  EXPECT_FALSE(equalsNoCase(" English", "English"));
}

TEST(DecodeUtf8Text, DropsTheByteOrderMarkAndReplacesMalformedBytes) {
  EXPECT_EQ(decodeUtf8Text("\xEF\xBB\xBF<a>Ж</a>"), "<a>Ж</a>");
  EXPECT_EQ(decodeUtf8Text("caf\xE9!"), "caf\xEF\xBF\xBD!");
  EXPECT_EQ(decodeUtf8Text("x\xEF\xBB\xBFy"), "x\xEF\xBB\xBFy");  // only a leading mark goes
}

}  // namespace
}  // namespace quenmark
