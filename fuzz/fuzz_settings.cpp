// Texts the settings store: the scrambled password and the schedule list's column widths.
// Scrambling twice gives the text back; a width reads back as written, and whatever the
// reader accepts is a 16-bit width that writes and reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/settings/column_widths.h"
#include "fuzz_check.h"
#include "platform/text_codec.h"
#include "core/settings/settings_store.h"

namespace {

using namespace quenmark;

void scramble(const std::string& original) {
  const Cp1252Codec codec;
  std::string text = original;
  FUZZ_CHECK(ScrambleText(text, codec) == text);
  ScrambleText(text, codec);
  // A zero character becomes code 128 and stays so; everything else comes back.
  if (original.find('\0') == std::string::npos) FUZZ_CHECK(text == original);
}

void widthReadsBack(int width) {
  FUZZ_CHECK(width >= 0 && width <= 32767);
  FUZZ_CHECK(columnWidthFromText(columnWidthText(static_cast<float>(width))) == width);
}

void columnWidths(FuzzedDataProvider& in, const std::string& text) {
  if (auto read = columnWidthFromText(text)) widthReadsBack(*read);

  const float twips = in.ConsumeFloatingPoint<float>();
  if (auto read = columnWidthFromText(columnWidthText(twips))) {
    widthReadsBack(*read);
    FUZZ_CHECK(std::fabs(*read - static_cast<double>(twips)) <= 0.5);
  } else {
    FUZZ_CHECK(!(twips >= 0.0f && twips <= 32767.0f));
  }
  widthReadsBack(in.ConsumeIntegralInRange(0, 32767));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(256);
  scramble(text);
  columnWidths(in, text);
  return 0;
}
