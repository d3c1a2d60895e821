#pragma once

namespace quenmark {

// Window geometry is designed in twips (1440 per inch): 15 twips per pixel at 96 DPI.
inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel or twip, halves away from zero, as MulDiv rounds.
int twipsToPixels(int twips, int dpi);
int pixelsToTwips(int pixels, int dpi);

}  // namespace quenmark
