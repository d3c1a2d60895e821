#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace quenmark {
namespace {

TEST(Cp1252Codec, RoundTripsEveryDefinedByte) {
  Cp1252Codec codec;
  for (int b = 1; b < 256; ++b) {
    std::string ansi(1, static_cast<char>(b));
    EXPECT_EQ(codec.utf8ToAnsi(codec.ansiToUtf8(ansi)), ansi) << b;
  }
}

TEST(Cp1252Codec, MapsTheHighRangeAndReplacesWhatItLacks) {
  Cp1252Codec codec;
  EXPECT_EQ(codec.ansiToUtf8("\x80"), "\u20ac");
  EXPECT_EQ(codec.ansiToUtf8("\xe9t\xe9"), "\u00e9t\u00e9");
  EXPECT_EQ(codec.utf8ToAnsi("caf\u00e9"), "caf\xe9");
  EXPECT_EQ(codec.utf8ToAnsi("\u041c\u0438\u0440"), "???");  // Cyrillic is not in 1252
  EXPECT_EQ(codec.utf8ToAnsi("a\xff" "b"), "a?b");            // malformed UTF-8
}

}  // namespace
}  // namespace quenmark
