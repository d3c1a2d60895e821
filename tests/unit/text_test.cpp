#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"

namespace quenmark {
namespace {

struct Mapped {
  const char* in;
  const char* out;
};

void PrintTo(const Mapped& c, std::ostream* os) { *os << c.in; }

class UpperCaseTest : public ::testing::TestWithParam<Mapped> {};

TEST_P(UpperCaseTest, UpperCasesEveryLetter) {
  EXPECT_EQ(upperCase(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UpperCaseTest,
    ::testing::Values(
        Mapped{"frmMain_cmdGo 12", "FRMMAIN_CMDGO 12"},
        Mapped{"äöüéçñøþ ÿ \u00B5 ß", "ÄÖÜÉÇÑØÞ Ÿ \u039C ß"},
        Mapped{"āčęğıłńőśťůźżžſ", "ĀČĘĞIŁŃŐŚŤŮŹŻŽS"}, Mapped{"șțơưǎǆạếỹ", "ȘȚƠƯǍǄẠẾỸ"},
        Mapped{"αβγδεζηθικλμνξοπρσςτυφχψω", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩ"},
        Mapped{"άέήίόύώϊϋ\u1F00\u1F51\u1FB3", "ΆΈΉΊΌΎΏΪΫ\u1F08\u1F59\u1FBC"},
        Mapped{"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
        Mapped{"іїєґўђћџѣәӏ", "ІЇЄҐЎЂЋЏѢӘӀ"}, Mapped{"աբգ ａｂｃ", "ԱԲԳ ＡＢＣ"},
        Mapped{"\uAB70\u13F8 \U00010428\U0001044F", "\u13A0\u13F0 \U00010400\U00010427"},
        Mapped{"ПРИВЕТ ΩΜΕΓΑ 日本語 ÀÉ", "ПРИВЕТ ΩΜΕΓΑ 日本語 ÀÉ"},
        Mapped{"a\xFFz", "A\xEF\xBF\xBDZ"}));

class FoldCaseTest : public ::testing::TestWithParam<Mapped> {};

TEST_P(FoldCaseTest, FoldsEveryLetterToItsCaselessForm) {
  EXPECT_EQ(foldCase(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FoldCaseTest,
    ::testing::Values(
        Mapped{"FRMMAIN_cmdGo 12", "frmmain_cmdgo 12"}, Mapped{"ҐАНОК Ґґ", "ґанок ґґ"},
        Mapped{"ΆΈΉΊΌΎΏ ΣσςΣ", "άέήίόύώ σσσσ"}, Mapped{"ＡＢＣ ｄ", "ａｂｃ ｄ"},
        Mapped{"ԱԲԳ", "աբգ"},
        Mapped{"\u13A0\uAB70 \u13F0\u13F8", "\u13A0\u13A0 \u13F0\u13F0"},  // Cherokee: capitals
        Mapped{"\U00010400\U00010427", "\U00010428\U0001044F"},            // Deseret
        Mapped{"ẞß STRASSE", "ßß strasse"},  // one letter never becomes two
        Mapped{"İı \u212A\u017F", "İı ks"},  // the dotted and dotless i stay; Kelvin, long s
        Mapped{"ǄǅǆĀā", "ǆǆǆāā"}, Mapped{"a\xFFZ", "a\xEF\xBF\xBDz"}));

// Every code point of the two planes that hold letters with case: both mappings are stable,
// and upper-casing never moves a letter out of its caseless class (bar the dotless i, which
// only Turkish pairs with I).
TEST(CaseTables, FoldingAndUpperCaseAgreeOnEveryCodePoint) {
  std::vector<std::uint32_t> faults;
  for (std::uint32_t n = 0; n <= 0x1FFFF; ++n) {
    const auto cp = static_cast<char32_t>(n);
    const char32_t folded = foldCodePoint(cp);
    const char32_t upper = upperCodePoint(cp);
    if (foldCodePoint(folded) != folded || upperCodePoint(upper) != upper ||
        (n != 0x131 && foldCodePoint(upper) != folded)) {
      faults.push_back(n);
    }
  }
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first at U+" << std::hex
                              << faults.front();
}

TEST(UpperFirst, UpperCasesOnlyTheFirstCharacter) {
  const Mapped cases[] = {
      {"über alles", "Über alles"},
      {"выход из программы", "Выход из программы"},
      {"ґанок", "Ґанок"},
      {"ωmega", "Ωmega"},
      {"eRROR", "ERROR"},
      {"\U00010428x", "\U00010400x"},
      {"ßtraße", "ßtraße"},
      {"日本", "日本"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(upperFirst(c.in), c.out) << c.in;
}

struct Comparison {
  const char* a;
  const char* b;
  bool equal;
};

TEST(EqualsNoCase, ComparesFoldedTexts) {
  const Comparison cases[] = {
      {"ґanok", "Ґanok", true},
      {"ΆΈ", "άέ", true},
      {"ＡＢ", "ａｂ", true},
      {"ΟΔΟΣ", "οδος", true},  // final sigma
      {"ß", "ẞ", true},
      {"Straße", "STRASSE", false},
      {"\u13A0\u13A1", "\uAB70\uAB71", true},  // Cherokee
      {"\U00010400", "\U00010428", true},      // Deseret
      {"աբգ", "ԱԲԳ", true},
      {"\u212A", "k", true},  // Kelvin sign
      {"ı", "I", false},
      {"İ", "i", false},
      {"Русский", "РУССКИЙ", true},
      {"msg_title", "MSG_TITLE", true},
      {"MSG_TITLE", "MSG_TITLEX", false},
      {"MSG_TITLEX", "MSG_TITLE", false},
      {" English", "English", false},
      {"", "", true},
  };
  for (const auto& c : cases) EXPECT_EQ(equalsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(StartsWithNoCase, MatchesTheWholePrefix) {
  const Comparison cases[] = {
      {"September", "sep", true},          {"Sep", "september", false}, {"ҐАНОК", "ґа", true},
      {"\U00010400x", "\U00010428", true}, {"May", "", true},           {"Mai", "May", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(startsWithNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
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
                      Find{"<ıtems>", "<ITEMS>", 0, std::nullopt},
                      Find{"x<TRANſLATION>", "<translation>", 0, TextMatch{1, 14}},
                      Find{"x\u212Aelvin", "kelvin", 0, TextMatch{1, 8}},  // ASCII needle
                      Find{"STRAẞE", "ß", 0, TextMatch{4, 3}},
                      Find{"a\U00010400b", "\U00010428B", 0, TextMatch{1, 5}},
                      Find{"日本語の日本", "日本", 3, TextMatch{12, 6}},
                      Find{"ab", "abc", 0, std::nullopt},
                      // A stray continuation byte is U+FFFD, as the needle's malformed byte.
                      Find{"a\x80x", "\xC0X", 0, TextMatch{1, 2}}));

TEST(ReplaceNoCase, ReplacesEveryOccurrenceWithoutRescanningTheReplacement) {
  EXPECT_EQ(replaceNoCase("[programname] and [PROGRAMNAME]!", "[ProgramName]", "Q"), "Q and Q!");
  EXPECT_EQ(replaceNoCase("[Website]", "[Website]", "[Website][Website]"), "[Website][Website]");
  EXPECT_EQ(replaceNoCase("no placeholder", "[Website]", "x"), "no placeholder");
}

TEST(DecodeUtf8Text, DropsTheByteOrderMarkAndReplacesMalformedBytes) {
  EXPECT_EQ(decodeUtf8Text("\xEF\xBB\xBF<a>Ж</a>"), "<a>Ж</a>");
  EXPECT_EQ(decodeUtf8Text("caf\xE9!"), "caf\xEF\xBF\xBD!");
  EXPECT_EQ(decodeUtf8Text("x\xEF\xBB\xBFy"), "x\xEF\xBB\xBFy");  // only a leading mark goes
}

TEST(Trim, TakesBlanksOrSpacesFromBothEnds) {
  struct Case {
    const char* in;
    const char* blanks;  // trimBlanks
    const char* spaces;  // trimSpaces
  };
  const Case cases[] = {
      {"  a b  ", "a b", "a b"},
      {"\t a\t", "a", "\t a\t"},
      {" \t", "", "\t"},
      {"   ", "", ""},
      {"", "", ""},
      {"\u00A0x ", "\u00A0x", "\u00A0x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(trimBlanks(c.in), c.blanks) << '"' << c.in << '"';
    EXPECT_EQ(trimSpaces(c.in), c.spaces) << '"' << c.in << '"';
  }
}

// Whatever std::from_chars reads whole as a finite number, to the same bits; nothing for the
// rest. Hand-written edge cases, then the shortest and the longest text of random doubles.
TEST(ReadDecimal, ReadsWhatFromCharsReads) {
  std::vector<std::string> texts = {
      "0", "-0", "12", "00012", ".5", "5.", "-.5", ".", "-", "", "1e5", "1E-5", "1e+5", "1e",
      "1e+", "1.5e", "e5", "+5", " 5", "5 ", "--5", "0x10", "1,5", "inf", "-infinity", "nan",
      "1e308", "1.7976931348623157e308", "1.7976931348623159e308", "1e400", "1e-310",
      "4.9e-324", "2e-324", "1e-400", "1e-5000000000", "9007199254740993",
      "2.2250738585072011e-308", "1e23", "0.1000000000000000055511151231257827",
      "123456789012345678901234567890", "1.5.5", "1e5e5", "١٢"};
  std::mt19937_64 random(12);
  for (int i = 0; i < 2000; ++i) {
    const auto d = std::bit_cast<double>(random());
    char text[64];
    for (const char* format : {"%.17g", "%.3g"}) {
      std::snprintf(text, sizeof text, format, d);
      texts.emplace_back(text);
    }
  }
  for (const std::string& text : texts) {
    double expected = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool reads =
        ec == std::errc() && end == text.data() + text.size() && std::isfinite(expected);
    const std::optional<double> got = readDecimal(text);
    ASSERT_EQ(got.has_value(), reads) << text;
    if (got) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(expected))
          << text;
    }
  }
}

TEST(TrimPath, KeepsThePartAfterTheLastBackslash) {
  const Mapped cases[] = {
      {"C:\\dir\\file.sch", "file.sch"},
      {"file.sch", "file.sch"},
      {"C:\\dir\\", ""},
      {"", ""},
      {"C:/dir/file.sch", "C:/dir/file.sch"},  // "/" is no separator
      {"C:\\a/b\\c/d.txt", "c/d.txt"},
      {"\\\\server\\share\\x", "x"},
      {"C:\\Ґанок\\розклад.sch", "розклад.sch"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimPath(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace quenmark
