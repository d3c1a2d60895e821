#pragma once

#include <cstdint>
#include <optional>

namespace quenmark {

// A colour as Windows stores it: 0x00BBGGRR.
using Rgb = std::uint32_t;
constexpr Rgb rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// The colours the program's skin draws every window with.
struct SkinPalette {
  Rgb window;        // window background
  Rgb text;          // labels, check boxes, option buttons, frame captions
  Rgb face;          // buttons and fields: the skin's "button and field back colour"
  Rgb faceText;      // text on buttons and in fields: its "field fore colour"
  Rgb picture;       // picture boxes: its "picture back colour"
  Rgb border;        // control and frame outlines
  Rgb pressed;       // a button held down
  Rgb accent;        // the default button, ticked boxes, the focus ring
  Rgb accentText;    // text and marks on the accent
  Rgb disabledText;  // text of disabled controls
};

// Two palettes after the Windows app mode, light and dark.
SkinPalette lightPalette();
SkinPalette darkPalette();

// What the user has asked Windows for, as far as the program's colours go.
struct DisplaySettings {
  bool highContrast = false;  // Windows' high contrast is on
  bool appsDark = false;      // the app mode asks applications to be dark
};

enum class PaletteChoice { Light, Dark, HighContrast };

// High contrast comes first: the user's own scheme, whatever the app mode says.
PaletteChoice choosePalette(const DisplaySettings& settings);

// The colours of a choice; none for high contrast, where every window keeps the system's
// colours (the user's scheme) and the skin paints nothing of its own.
std::optional<SkinPalette> paletteFor(PaletteChoice choice);

// The WCAG contrast ratio of two colours, from 1 (none) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

}  // namespace quenmark
