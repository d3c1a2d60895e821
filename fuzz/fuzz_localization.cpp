// The localization reader and item matching on arbitrary input. Input layout: the language
// name, a line feed, the key, a line feed, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "i18n/localization_file.h"
#include "base/text.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

std::string_view takeLine(std::string_view& in) {
  const std::size_t nl = in.find('\n');
  std::string_view line = in.substr(0, nl);
  in.remove_prefix(nl == std::string_view::npos ? in.size() : nl + 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quenmark;
  std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string_view language = takeLine(in);
  const std::string_view key = takeLine(in);

  const std::string text = decodeLocalizationFile(in);
  // Decoding is complete: nothing left to replace. (A character in front, so that a second
  // byte-order mark at the start is not dropped again.)
  check(decodeUtf8Text("a" + text) == "a" + text);

  const std::string upper = upperCase(text);
  check(characterCount(upper) == characterCount(text));
  check(upperCase(upper) == upper);
  const std::string folded = foldCase(text);
  check(characterCount(folded) == characterCount(text));
  check(foldCase(folded) == folded);
  check(equalsNoCase(text, folded));
  check(findNoCase(text, folded).has_value());

  int groups = 0;
  for (const std::string& name : languageGroupNames(text)) {
    if (++groups > 8) break;
    readTranslationLines(text, name);
  }

  // Undecoded bytes too: the matching must not trip over malformed UTF-8 either.
  for (std::string_view source : {std::string_view(text), in}) {
    auto lines = readTranslationLines(source, language);
    if (!lines) continue;
    for (const std::string& line : *lines) check(line.find("\r\n") == std::string::npos);
    if (auto found = findItemText(*lines, key)) {
      bool inSomeLine = false;
      for (const std::string& line : *lines) inSomeLine |= line.find(*found) != std::string::npos;
      check(inSomeLine);
    }
    std::size_t looked = 0;
    for (const std::string& line : *lines) {
      if (++looked > 16) break;
      const std::size_t lt = line.find('<');
      const std::size_t gt = line.find('>');
      if (lt != std::string::npos && gt != std::string::npos && lt < gt) {
        findItemText(*lines, line.substr(lt + 1, gt - lt - 1));
      }
    }
  }
  replaceNoCase(text, key, language);
  return 0;
}
