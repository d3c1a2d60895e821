// The localization file on arbitrary input: the reader and item matching, the language
// list, the download's body check, and the template writer read back by the reader. Input
// layout: the language name, a line feed, the key, a line feed, then the file's bytes; the
// template's windows are drawn from the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "core/i18n/language_download.h"
#include "core/i18n/languages.h"
#include "core/i18n/localization_file.h"
#include "fuzz_check.h"
#include "support/fake_file_system.h"
#include "support/fake_http.h"
#include "support/fake_window.h"

namespace {

using namespace quenmark;
using testing::FakeFileSystem;

const std::string kFolder = "C:\\Quenmark";

std::string_view takeLine(std::string_view& in) {
  const std::size_t nl = in.find('\n');
  std::string_view line = in.substr(0, nl);
  in.remove_prefix(nl == std::string_view::npos ? in.size() : nl + 1);
  return line;
}

// Letter case on a key or a translated text: mappings keep the number of characters and
// settle after one pass; a text equals and contains its folded form.
void caseRules(std::string_view s) {
  const std::string upper = upperCase(s);
  FUZZ_CHECK(characterCount(upper) == characterCount(s));
  FUZZ_CHECK(upperCase(upper) == upper);
  const std::string folded = foldCase(s);
  FUZZ_CHECK(characterCount(folded) == characterCount(s));
  FUZZ_CHECK(foldCase(folded) == folded);
  FUZZ_CHECK(equalsNoCase(s, folded));
  FUZZ_CHECK(findNoCase(s, folded).has_value());
}

// A body arrives (perhaps with a failing read) and is stored in place of an old file (which
// perhaps cannot be replaced). Stored: it starts at the body's first "<", holds the item
// list's tag, ends with CR LF, and lists the languages the body lists (`listed`). Otherwise the old
// file is as it was.
void download(std::string_view body, const std::vector<std::string>& listed,
              FuzzedDataProvider& in) {
  FakeFileSystem fs;
  fs.addDirectory(kFolder);
  const std::string path = localizationFilePath(kFolder);
  fs.addFile(path, "old");
  testing::FakeHttp http;
  http.body = std::string(body);
  http.failRead = in.ConsumeIntegralInRange<int>(-1, 20);
  const bool unwritable = in.ConsumeBool();
  if (unwritable) fs.failNext("replaceFile", {5, "Access is denied."});

  const LanguageDownload result = downloadLanguageFile(http, fs, kFolder, "http://x/", [] {});
  const std::string stored = fs.contents(path);
  if (result != LanguageDownload::Saved) {
    FUZZ_CHECK(stored == "old");
    FUZZ_CHECK(result == LanguageDownload::NoFile || unwritable);
    return;
  }
  FUZZ_CHECK(!unwritable && (http.failRead < 0 || http.reads <= http.failRead));
  FUZZ_CHECK(stored.size() >= 2 && stored.front() == '<' && stored.ends_with("\r\n"));
  FUZZ_CHECK(findNoCase(stored, "<TRANSLATION_ITEMS>").has_value());
  const std::string_view kept(stored.data(), stored.size() - 2);
  FUZZ_CHECK(body.ends_with(kept) &&
             body.substr(0, body.size() - kept.size()).find('<') == std::string_view::npos);
  FUZZ_CHECK(languageListNames(fs, kFolder) == listed);
}

// Names and texts without what the line layout cannot hold: CR LF ends a line, "<" and
// ">" would forge tags.
std::string plain(FuzzedDataProvider& in, std::size_t length) {
  std::string out;
  for (char c : in.ConsumeRandomLengthString(length)) {
    if (c != '\r' && c != '<' && c != '>') out += c;
  }
  return out;
}

// The template of windows with labels and list columns, and messages, read back by the
// reader as its English group: every key gives its text (the first line of a key wins, as
// the reader decides), and the item list holds nothing else.
void templateReadBack(FuzzedDataProvider& in) {
  FakeFileSystem fs;
  fs.addDirectory(kFolder);
  const Cp1252Codec codec;
  const ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string language = "English";
  clsLanguages langs(fs, codec, kFolder, identity, language);

  std::vector<std::pair<std::string, std::string>> written;  // key, text
  std::vector<testing::FakeWindow> windows;
  windows.reserve(3);
  for (int w = in.ConsumeIntegralInRange(0, 3); w > 0; --w) {
    testing::FakeWindow& window = windows.emplace_back(plain(in, 8));
    for (int c = in.ConsumeIntegralInRange(0, 4); c > 0; --c) {
      const std::string name = plain(in, 8);
      if (in.ConsumeBool()) {
        window.add("Label", name, std::nullopt, plain(in, 24));
        written.emplace_back(translationKey(window.name(), name),
                             window.controls().back()->caption());
        continue;
      }
      auto& list = window.add("ListView", name);
      for (int n = 1, columns = in.ConsumeIntegralInRange(0, 2); n <= columns; ++n) {
        list.columns.push_back(plain(in, 12));
        written.emplace_back(translationKey(window.name(), name, ControlText::kColumn, n),
                             list.columns.back());
      }
    }
  }
  for (int m = in.ConsumeIntegralInRange(0, 3); m > 0; --m) {
    const std::string name = plain(in, 8), text = plain(in, 24);
    if (name.empty()) continue;
    langs.setMessage(name, text);
    written.emplace_back(name, text);
  }

  langs.makeLocalizationFile(
      [&] {
        std::vector<TranslatableWindow*> all;
        for (auto& w : windows) all.push_back(&w);
        return all;
      },
      {});
  auto viaFile = [&](std::string_view s) { return codec.ansiToUtf8(codec.utf8ToAnsi(s)); };
  const auto lines = readTranslationLines(
      codec.ansiToUtf8(fs.contents(kFolder + "\\" + std::string(kLocalizationTemplateName))),
      "English");
  FUZZ_CHECK(lines && lines->size() == written.size() + 2);
  std::vector<std::string> keys;  // as the file holds them
  for (const auto& item : written) keys.push_back(viaFile(upperCase(item.first)));
  for (const std::string& key : keys) {
    std::size_t first = 0;
    while (!equalsNoCase(keys[first], key)) ++first;
    FUZZ_CHECK(findItemText(*lines, key) == viaFile(written[first].second));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string_view language = takeLine(in);
  const std::string_view key = takeLine(in);

  const std::string text = decodeLocalizationFile(std::string(in));
  // Decoding is complete: nothing left to replace. (Behind a character, as a second
  // byte-order mark is text and stays.)
  FUZZ_CHECK(decodeUtf8Text("x" + text) == "x" + text);
  caseRules(key);

  // Read as a window's load reads the file, in pieces of its raw bytes: what the whole
  // decoded text gives.
  const std::size_t piece = 1 + size % 17;
  std::size_t at = 0;
  const auto pieces = [&]() -> std::optional<std::string> {
    const std::string_view next = in.substr(std::min(at, in.size()), piece);
    at += piece;
    return std::string(next);
  };
  FUZZ_CHECK(readTranslationLines(pieces, language) == readTranslationLines(text, language));

  const std::vector<std::string> names = languageGroupNames(text);
  for (std::size_t i = 0; i < names.size() && i < 4; ++i) readTranslationLines(text, names[i]);

  // Undecoded bytes too: the matching must not trip over malformed UTF-8 either.
  for (std::string_view source : {std::string_view(text), in}) {
    auto lines = readTranslationLines(source, language);
    if (!lines) continue;
    for (const std::string& line : *lines) FUZZ_CHECK(line.find("\r\n") == std::string::npos);
    if (auto found = findItemText(*lines, key)) {
      bool inSomeLine = false;
      for (const std::string& line : *lines) inSomeLine |= line.find(*found) != std::string::npos;
      FUZZ_CHECK(inSomeLine);
      caseRules(*found);
      replaceNoCase(*found, "[ProgramName]", language);
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

  FuzzedDataProvider choices(data, size);
  download(in, names, choices);
  templateReadBack(choices);
  return 0;
}
