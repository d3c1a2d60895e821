#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// What the program wrote with std::to_chars before, for every kind of value.
TEST(ColumnWidthText, WritesWhatToCharsWrites) {
  std::vector<float> values = {0.1f, -0.0f,    857.1428f,   1e10f,     3.4028235e38f, 1e-45f, 2e-7f,
                               0.3f, -1234.5f, 16777217.0f, 9.999999f, -INFINITY,     NAN};
  std::uint32_t bits = 12345;
  for (int i = 0; i < 2000; ++i) {
    bits = bits * 1664525u + 1013904223u;  // a fixed walk over all exponents
    values.push_back(std::bit_cast<float>(bits));
    values.push_back(static_cast<float>(bits % 491520) / 64.0f);  // twips of a few dpi
  }
  for (float v : values) {
    char buffer[128];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed).ptr;
    ASSERT_EQ(columnWidthText(v), std::string(buffer, end)) << v;
  }
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
