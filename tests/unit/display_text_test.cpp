#include <gtest/gtest.h>

#include <array>

#include "core/i18n/display_text.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"
#include "support/localization_text.h"

namespace quenmark {
namespace {

using testing::item;

TEST(DisplayKeyTest, IsMadeFromTheCodesLettersAndDigits) {
  const struct {
    const char* code;
    const char* key;
  } cases[] = {
      {"Now", "MSG_SHOW_NOW"},
      {"in 15 Minutes", "MSG_SHOW_IN_15_MINUTES"},
      {"Stand by", "MSG_SHOW_STAND_BY"},
      {"When...", "MSG_SHOW_WHEN"},
      {" Log  Off ", "MSG_SHOW_LOG_OFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(displayKey(c.code), c.key) << c.code;
}

// A code shows as its message in the language applied, as itself without one; what the user
// picks or types maps back to the code, anything else stays as typed.
TEST(DisplayTextTest, ShowsTheTranslationAndMapsItBackToTheCode) {
  testing::FakeFileSystem fs;
  fs.addDirectory("C:\\Q");
  fs.addFile("C:\\Q\\Localization.xml",
             testing::localizationFile({testing::languageGroup(
                 "Deutsch", {item("MSG_SHOW_REBOOT", "neu starten"), item("X", "y")})}));
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string language;
  clsLanguages langs{fs, codec, "C:\\Q", identity, language};
  constexpr std::array<std::string_view, 2> codes{"Reboot", "Log Off"};
  addDisplayTexts(langs, codes);
  addDisplayTexts(langs, codes);  // no second slot
  EXPECT_FALSE(langs.messageTable()[2].inUse);

  testing::FakeWindow window("frmMain");
  langs.ChangeLanguage(window, "Deutsch");
  EXPECT_EQ(displayText(langs, "Reboot"), "Neu starten");
  EXPECT_EQ(displayText(langs, "Log Off"), "Log Off") << "no translation: English";
  EXPECT_EQ(displayText(langs, "Dance"), "Dance") << "no message: the text itself";
  EXPECT_EQ(codeShownAs(langs, "Neu starten", codes), "Reboot");
  EXPECT_EQ(codeShownAs(langs, "Log Off", codes), "Log Off");
  EXPECT_EQ(codeShownAs(langs, "Tanzen", codes), "Tanzen");
}

}  // namespace
}  // namespace quenmark
