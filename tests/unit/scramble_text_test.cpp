#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "core/settings/settings_store.h"

namespace quenmark {
namespace {

// A code page with only the 7-bit codes: no character has a partner above 127.
class AsciiCodec : public TextCodec {
 public:
  std::string utf8ToAnsi(std::string_view utf8) const override {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
      char32_t c = nextCodePoint(utf8, i);
      out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
  }
  std::string ansiToUtf8(std::string_view ansi) const override {
    std::string out;
    for (char c : ansi) out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
    return out;
  }
};

std::string scrambled(std::string text, const TextCodec& codec) {
  ScrambleText(text, codec);
  return text;
}

TEST(ScrambleText, MovesEachAnsiCodeByHalfTheCodePage) {
  Cp1252Codec cp1252;
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "\u00e1\u00e2\u00e3"},  // 97, 98, 99 -> 225, 226, 227
      {"\u00e1\u00e2\u00e3", "abc"},  // and back
      {"A1 ", "\u00c1\u00b1\u00a0"},  // 65, 49, 32 -> 193, 177, 160
      {"\u20ac", "\u20ac"},           // code 128 stays
      {"\x01", "\u0081"},             // 1 -> 129, undefined in 1252 but kept
      {"\u2122", "\x19"},             // 153 -> 25
  };
  for (const auto& c : cases) EXPECT_EQ(scrambled(c.in, cp1252), c.out) << c.in;
}

TEST(ScrambleText, TwiceGivesTheTextBack) {
  Cp1252Codec cp1252;
  AsciiCodec ascii;
  const std::string texts[] = {
      "secret",
      "P@ss w0rd!~",
      "\u00e9t\u00e9 \u00fc\u00df \u00ff",
      "\u041f\u0430\u0440\u043e\u043b\u044c",  // Cyrillic: not in 1252
      "\u65e5\u672c \U0001F600 mixed abc",     // CJK and an emoji among ANSI letters
      "bad \xff\xfe bytes",                    // malformed UTF-8 survives byte for byte
      "\u20ac with euro"};
  for (const TextCodec* codec :
       {static_cast<const TextCodec*>(&cp1252), static_cast<const TextCodec*>(&ascii)}) {
    for (const auto& t : texts) {
      std::string once = scrambled(t, *codec);
      EXPECT_EQ(scrambled(once, *codec), t) << t;
    }
  }
}

TEST(ScrambleText, LeavesCharactersWithoutAPartnerAlone) {
  Cp1252Codec cp1252;
  EXPECT_EQ(scrambled("\u041c\u0438\u0440 a", cp1252), "\u041c\u0438\u0440\u00a0\u00e1");
  AsciiCodec ascii;
  EXPECT_EQ(scrambled("abc \u00e9", ascii), "abc \u00e9");  // 225 has no character here
}

TEST(ScrambleText, ReplacesTheCallersTextAndReturnsIt) {
  Cp1252Codec cp1252;
  std::string text = "abc";
  std::string result = ScrambleText(text, cp1252);
  EXPECT_EQ(text, "\u00e1\u00e2\u00e3");
  EXPECT_EQ(result, text);
}

}  // namespace
}  // namespace quenmark
