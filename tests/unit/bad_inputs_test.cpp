#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/i18n/language_download.h"
#include "core/i18n/languages.h"
#include "core/settings/options.h"
#include "core/settings/settings_store.h"
#include "support/bad_inputs.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/fake_window.h"

// The core's part of the bad-input catalogue (tests/data/bad-inputs/MANIFEST.md).
namespace quenmark::testing {
namespace {

// Values of every other type where the program keeps strings: the machine section fails with
// the numbered error of its type, and the program's readers take their defaults; the user
// area takes the default at once.
TEST(BadInputs, RegistryValuesOfTheWrongTypeReadAsTheirDefaults) {
  const struct {
    std::uint32_t type;
    std::string data;
  } cases[] = {{0, ""},                                  // REG_NONE
               {2, "%TEMP%\\x"},                         // REG_EXPAND_SZ
               {3, std::string("\x01\x00\xff", 3)},      // REG_BINARY
               {4, std::string("\x01\x00\x00\x00", 4)},  // REG_DWORD
               {7, std::string("1\0\0", 3)},             // REG_MULTI_SZ
               {11, std::string(8, '\x01')}};            // REG_QWORD
  for (const auto& c : cases) {
    FakeRegistry registry;
    FakeDialogs dialogs;
    ProductIdentity identity;
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    SettingsStore store(registry, dialogs, identity, [] { return false; });
    Options options(store, identity);
    registry.putValue(reg::kHkeyLocalMachine, "SOFTWARE\\Tarvossa\\Quenmark\\Settings", "chkMin",
                      c.type, c.data, false);
    registry.putValue(reg::kHkeyCurrentUser, "Software\\Tarvossa\\Quenmark\\Settings", "Language",
                      c.type, c.data, false);

    const Result<std::string> r = store.GetMachineSetting("Quenmark", "Settings", "chkMin", "0");
    ASSERT_FALSE(r.ok()) << c.type;
    EXPECT_EQ(r.error().number, 0x800407D0 + c.type);
    EXPECT_EQ(r.error().description, "Registry data not a string");
    EXPECT_EQ(options.get(Setting::chkMin, "0"), "0") << c.type;
    EXPECT_EQ(options.get(Setting::Language, ""), "") << c.type;
    EXPECT_TRUE(registry.openHandles().empty());
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

// A localization file whose tags are left open in several ways: the list shows the groups
// up to the first broken one, and a language translates what its intact lines hold while
// every other text stays as it was.
TEST(BadInputs, ALocalizationFileWithUnclosedTagsTranslatesWhatIsIntact) {
  const std::string file = badInput("unclosed-tags.xml");
  ASSERT_FALSE(file.empty());
  FakeFileSystem fs;
  fs.addDirectory("C:\\Quenmark");
  fs.addFile("C:\\Quenmark\\Localization.xml", file);
  EXPECT_EQ(languageListNames(fs, "C:\\Quenmark"),
            (std::vector<std::string>{"English", "Deutsch"}));

  const Cp1252Codec codec;
  ProductIdentity identity;
  std::string current = "English";
  clsLanguages languages(fs, codec, "C:\\Quenmark", identity, current);
  const struct {
    const char* language;
    const char* go;
    const char* edit;
    const char* current;
  } steps[] = {
      {"English", "Go now", "Edit it", "English"},
      {"Deutsch", "Go now", "Bearbeiten", "Deutsch"},  // an item without its closing tag
      {"Fran\u00e7ais", "Go now", "Bearbeiten", "Fran\u00e7ais"},  // a name left open
      {"Espa\u00f1ol", "Go now", "Bearbeiten", "Espa\u00f1ol"},    // the file ends in the group
  };
  FakeWindow w("frmMain");
  auto& go = w.add("CommandButton", "cmdGo", std::nullopt, "Go");
  auto& edit = w.add("CommandButton", "cmdEdit", std::nullopt, "Edit");
  languages.setMessage("MSG_SURE", "Sure?");
  for (const auto& s : steps) {
    languages.ChangeLanguage(w, s.language);
    EXPECT_EQ(go.text(), s.go) << s.language;
    EXPECT_EQ(edit.text(), s.edit) << s.language;
    EXPECT_EQ(languages.getMessages("MSG_SURE"), "Sure?") << s.language;
    EXPECT_EQ(current, s.current);
  }
}

}  // namespace
}  // namespace quenmark::testing
