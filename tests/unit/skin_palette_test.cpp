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

// High contrast wins over the app mode, and under it the skin has no colours of its own.
TEST(SkinPalette, TheChoiceFollowsHighContrastFirstThenTheAppMode) {
  const struct {
    DisplaySettings settings;
    PaletteChoice choice;
    std::optional<Rgb> window;  // the window colour drawn with; none: the system's
  } cases[] = {
      {{.highContrast = false, .appsDark = false}, PaletteChoice::Light, rgb(0xF3, 0xF3, 0xF3)},
      {{.highContrast = false, .appsDark = true}, PaletteChoice::Dark, rgb(0x20, 0x20, 0x20)},
      {{.highContrast = true, .appsDark = false}, PaletteChoice::HighContrast, std::nullopt},
      {{.highContrast = true, .appsDark = true}, PaletteChoice::HighContrast, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.settings.highContrast << c.settings.appsDark);
    EXPECT_EQ(choosePalette(c.settings), c.choice);
    const std::optional<SkinPalette> p = paletteFor(choosePalette(c.settings));
    EXPECT_EQ(p ? std::optional<Rgb>(p->window) : std::nullopt, c.window);
  }
}

}  // namespace
}  // namespace quenmark
