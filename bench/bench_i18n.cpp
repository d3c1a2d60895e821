// ChangeLanguage re-reads and searches the whole localization file on every window load;
// this measures one such call on a window of 40 controls against a 1 MB file of 30
// languages.
#include <benchmark/benchmark.h>

#include <string>

#include "core/i18n/default_messages.h"
#include "core/i18n/languages.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace quenmark {
namespace {

constexpr int kLanguages = 30;
constexpr std::size_t kFileSize = 1 << 20;

std::string languageName(int n) { return "Language " + std::to_string(n); }

// 40 controls: 20 buttons and labels, 8 check boxes, a list view of 5 columns, 3 option
// buttons and 8 menu entries.
void addControls(testing::FakeWindow& w) {
  for (int i = 0; i < 10; ++i) w.add("CommandButton", "cmd" + std::to_string(i), {}, "Button");
  for (int i = 0; i < 10; ++i) w.add("Label", "Label" + std::to_string(i), {}, "Label");
  for (int i = 0; i < 8; ++i) w.add("CheckBox", "chk" + std::to_string(i), {}, "Check");
  w.add("ListView", "lstSchedules").columns = {"a", "b", "c", "d", "e"};
  for (int i = 0; i < 3; ++i) w.add("OptionButton", "optRepeat", i, "Option");
  for (int i = 0; i < 8; ++i) w.add("Menu", "mnuFileItem", i, "Menu");
}

// Every group translates the window's keys, the default messages and, as filler, the
// keys of other windows; every second group is in Cyrillic.
std::string localizationFile() {
  std::string file =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n"
      "\t<LOCALIZATION_FILE_INFO>\r\n"
      "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>\r\n"
      "\t</LOCALIZATION_FILE_INFO>\r\n";
  const std::size_t perGroup = kFileSize / kLanguages;
  testing::FakeWindow w("frmBench");
  addControls(w);
  for (int g = 0; g < kLanguages; ++g) {
    const std::string text = g % 2 ? "Перевод номер " : "Translation number ";
    const std::size_t start = file.size();
    file += "<LANGUAGE_GROUP xml:lang=\"x" + std::to_string(g) + "\">\r\n\t<LANGUAGE_NAME>" +
            languageName(g) + "</LANGUAGE_NAME>\r\n\t<DESCRIPTION>Bench</DESCRIPTION>\r\n" +
            "\t<TRANSLATION_ITEMS>\r\n";
    auto item = [&](const std::string& key) {
      file += "\t\t<" + key + ">" + text + std::to_string(g) + " [ProgramName]</" + key + ">\r\n";
    };
    for (int filler = 0; file.size() - start < perGroup - 6000; ++filler) {
      item("FRMOTHER_CONTROL" + std::to_string(filler));
    }
    for (TranslatableControl* c : w.controls()) {
      const std::string key = "FRMBENCH_" + c->name();
      if (c->typeName() == "ListView") {
        for (int n = 1; n <= 5; ++n) item(key + "_COL" + std::to_string(n));
      } else {
        item(c->index() ? key + std::to_string(*c->index()) : key);
      }
    }
    for (const DefaultMessage& m : defaultMessages()) item(std::string(m.key));
    file += "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
  }
  return file + "</XML_DIZ_INFO>\r\n";
}

void BM_ChangeLanguage(benchmark::State& state) {
  testing::FakeFileSystem fs;
  fs.addDirectory("C:\\Quenmark");
  const std::string file = localizationFile();
  fs.addFile("C:\\Quenmark\\Localization.xml", file);
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string CurrentLanguage = "English";
  clsLanguages langs(fs, codec, "C:\\Quenmark", identity, CurrentLanguage);
  SetDefaultMessages(langs);
  testing::FakeWindow w("frmBench");
  addControls(w);
  const std::string language = languageName(static_cast<int>(state.range(0)));

  for (auto _ : state) {
    langs.ChangeLanguage(w, language);
    benchmark::DoNotOptimize(langs.getMessages("MSG_TITLE"));
    fs.calls.clear();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
  state.counters["file_bytes"] = static_cast<double>(file.size());
}
// The first group (found at once) and the last (the whole file searched).
BENCHMARK(BM_ChangeLanguage)->Arg(0)->Arg(kLanguages - 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quenmark
