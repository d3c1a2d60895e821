#include "core/presentation/skin_palette.h"

#include <gtest/gtest.h>

namespace quenmark {
namespace {

TEST(SkinPalette, ContrastIsComputedAsWcagDefinesIt) {
  EXPECT_NEAR(contrastRatio(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(contrastRatio(rgb(0x77, 0x77, 0x77), rgb(255, 255, 255)), 4.48, 0.01);
  EXPECT_DOUBLE_EQ(contrastRatio(rgb(1, 2, 3), rgb(1, 2, 3)), 1.0);
}

// Every text the skin draws is readable on what it is drawn on (WCAG AA: 4.5 for text; the
// outlines of controls 3).
TEST(SkinPalette, BothPalettesReachWcagAa) {
  for (const SkinPalette& p : {lightPalette(), darkPalette()}) {
    EXPECT_GE(contrastRatio(p.text, p.window), 4.5);
    EXPECT_GE(contrastRatio(p.faceText, p.face), 4.5);
    EXPECT_GE(contrastRatio(p.faceText, p.pressed), 4.5);
    EXPECT_GE(contrastRatio(p.text, p.picture), 4.5);
    EXPECT_GE(contrastRatio(p.accentText, p.accent), 4.5);
    EXPECT_GE(contrastRatio(p.disabledText, p.window), 4.5);
    EXPECT_GE(contrastRatio(p.accent, p.window), 3.0);
    EXPECT_GE(contrastRatio(p.border, p.window), 3.0);
    EXPECT_GE(contrastRatio(p.border, p.face), 3.0);
  }
}

}  // namespace
}  // namespace quenmark
