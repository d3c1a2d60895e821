#include <gtest/gtest.h>

#include "base/twips.h"

namespace quenmark {
namespace {

struct TwipsCase {
  int twips;
  int dpi;
  int pixels;
};

TEST(Twips, ConvertToPixelsRoundingToNearest) {
  const TwipsCase cases[] = {
      {15, 96, 1},      {1440, 96, 96},   {2500, 96, 167},  // 166.67
      {7, 96, 0},       {8, 96, 1},       {-15, 96, -1},   {-8, 96, -1},
      {1440, 144, 144}, {2500, 144, 250}, {100, 120, 8},  // 8.33
      {0, 96, 0},       {2500, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
  }
}

TEST(Twips, ConvertPixelsBackToTwips) {
  const TwipsCase cases[] = {
      {15, 96, 1}, {2505, 96, 167}, {1440, 144, 144}, {10, 144, 1}, {12, 120, 1}, {-15, 96, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pixelsToTwips(c.pixels, c.dpi), c.twips) << c.pixels << " px at " << c.dpi;
  }
}

}  // namespace
}  // namespace quenmark
