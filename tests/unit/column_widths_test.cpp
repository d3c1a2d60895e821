#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/settings/column_widths.h"

namespace quenmark {
namespace {

TEST(ColumnWidthText, WritesTheSinglePrecisionValue) {
  const struct {
    float twips;
    const char* text;
  } cases[] = {
      {2500.0f, "2500"}, {0.0f, "0"}, {1234.5f, "1234.5"}, {32767.0f, "32767"}, {15.25f, "15.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(columnWidthText(c.twips), c.text) << c.twips;
}

TEST(ColumnWidthFromText, RestoresSixteenBitWidthsAndRefusesTheRest) {
  const struct {
    const char* text;
    std::optional<int> width;
  } cases[] = {
      {"2500", 2500},
      {"0", 0},
      {"1234.5", 1234},  // half to even
      {"1235.5", 1236},
      {" 900 ", 900},
      {"+15", 15},
      {"32767", 32767},
      {"32768", std::nullopt},
      {"-15", std::nullopt},
      {"", std::nullopt},
      {"wide", std::nullopt},
      {"12px", std::nullopt},
      {"1e3", 1000},
  };
  for (const auto& c : cases) EXPECT_EQ(columnWidthFromText(c.text), c.width) << c.text;
}

TEST(ColumnWidths, AStoredWidthReadsBackAsItWas) {
  for (int twips : {0, 15, 1005, 2500, 32767}) {
    EXPECT_EQ(columnWidthFromText(columnWidthText(static_cast<float>(twips))), twips);
  }
}

}  // namespace
}  // namespace quenmark
