#include "base/twips.h"

#include <cstdint>

namespace quenmark {
namespace {

int mulDivRounded(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  std::int64_t half = denominator / 2;
  std::int64_t q = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return static_cast<int>(q);
}

}  // namespace

int twipsToPixels(int twips, int dpi) { return mulDivRounded(twips, dpi, kTwipsPerInch); }

int pixelsToTwips(int pixels, int dpi) { return mulDivRounded(pixels, kTwipsPerInch, dpi); }

}  // namespace quenmark
