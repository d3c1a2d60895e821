#include "core/presentation/skin_palette.h"

#include <algorithm>
#include <cmath>

namespace quenmark {
namespace {

double channel(unsigned v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c) {
  return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) +
         0.0722 * channel((c >> 16) & 0xFF);
}

}  // namespace

// Neutral greys with one blue accent, close to what Windows 11 itself shows, so the program
// sits well beside the system's own windows.
SkinPalette lightPalette() {
  return {
      .window = rgb(0xF3, 0xF3, 0xF3),
      .text = rgb(0x1B, 0x1B, 0x1B),
      .face = rgb(0xFF, 0xFF, 0xFF),
      .faceText = rgb(0x1B, 0x1B, 0x1B),
      .picture = rgb(0xE4, 0xEC, 0xF6),
      .border = rgb(0x8A, 0x8A, 0x8A),
      .pressed = rgb(0xE3, 0xE3, 0xE3),
      .accent = rgb(0x0F, 0x6C, 0xBD),
      .accentText = rgb(0xFF, 0xFF, 0xFF),
      .disabledText = rgb(0x6E, 0x6E, 0x6E),
  };
}

SkinPalette darkPalette() {
  return {
      .window = rgb(0x20, 0x20, 0x20),
      .text = rgb(0xF0, 0xF0, 0xF0),
      .face = rgb(0x2D, 0x2D, 0x2D),
      .faceText = rgb(0xF0, 0xF0, 0xF0),
      .picture = rgb(0x26, 0x30, 0x3D),
      .border = rgb(0x78, 0x78, 0x78),
      .pressed = rgb(0x3A, 0x3A, 0x3A),
      .accent = rgb(0x4C, 0xC2, 0xFF),
      .accentText = rgb(0x00, 0x00, 0x00),
      .disabledText = rgb(0x9A, 0x9A, 0x9A),
  };
}

PaletteChoice choosePalette(const DisplaySettings& settings) {
  if (settings.highContrast) return PaletteChoice::HighContrast;
  return settings.appsDark ? PaletteChoice::Dark : PaletteChoice::Light;
}

std::optional<SkinPalette> paletteFor(PaletteChoice choice) {
  switch (choice) {
    case PaletteChoice::Light:
      return lightPalette();
    case PaletteChoice::Dark:
      return darkPalette();
    case PaletteChoice::HighContrast:
      break;
  }
  return std::nullopt;
}

double contrastRatio(Rgb a, Rgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace quenmark
