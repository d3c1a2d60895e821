#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

#include "base/text.h"
#include "core/i18n/default_messages.h"
#include "core/i18n/localization_file.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace quenmark {
namespace {

using Items = std::vector<std::pair<std::string, std::string>>;  // key, text

// res/Localization.xml of this source tree. Under Wine the path resolves through the
// drive that maps the Linux root.
std::string shippedFile() {
  const std::string here = __FILE__;
  const std::string root = here.substr(0, here.rfind("tests"));
  std::ifstream in(root + "res/Localization.xml", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The group's items as the reader finds them. Every line between the two item-list tags
// must be one whole item, "<KEY>text</KEY>" after two tabs, whose text the reader finds.
Items groupItems(const std::string& file, const std::string& language) {
  Items items;
  auto lines = readTranslationLines(file, language);
  EXPECT_TRUE(lines && lines->size() > 2 && lines->front().empty() && lines->back() == "\t")
      << language;
  if (!lines || lines->size() < 2) return items;
  for (auto line = lines->begin() + 1; line != lines->end() - 1; ++line) {
    const std::string key = line->size() > 3 ? line->substr(3, line->find('>') - 3) : "";
    const std::string text = findItemText(*lines, key).value_or("\x01");
    EXPECT_EQ(*line, "\t\t<" + key + ">" + text + "</" + key + ">") << language;
    items.emplace_back(key, text);
  }
  return items;
}

// The placeholders (the product's, and the numbered ones filled in at run time) and
// accelerator marks of a text, in a fixed order, and whether it is a menu separator: a
// translation keeps what its English text has, no more, no less.
std::string marks(const std::string& text) {
  std::string found = text == "-" ? "separator" : "";
  for (std::string_view mark :
       {"[ProgramName]", "[CompanyName]", "[Website]", "&", "%1", "%2", "%3", "%4"}) {
    for (auto hit = findNoCase(text, mark); hit; hit = findNoCase(text, mark, hit->pos + 1)) {
      found += mark;
    }
  }
  return found;
}

class ShippedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shipped = shippedFile();
    ASSERT_FALSE(shipped.empty()) << "res/Localization.xml not found from " << __FILE__;
    fs.addDirectory("C:\\Quenmark");
    fs.addFile("C:\\Quenmark\\Localization.xml", shipped);
    SetDefaultMessages(langs);
  }

  std::string shipped;
  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string CurrentLanguage = "English";
  clsLanguages langs{fs, codec, "C:\\Quenmark", identity, CurrentLanguage};
};

TEST_F(ShippedFileTest, KeepsTheLayoutWithCrLfAndTabs) {
  const std::string header =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n"
      "\t<LOCALIZATION_FILE_INFO>\r\n"
      "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>\r\n"
      "\t</LOCALIZATION_FILE_INFO>\r\n<LANGUAGE_GROUP xml:lang=\"en\">\r\n"
      "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>\r\n";
  EXPECT_EQ(shipped.substr(0, header.size()), header);
  EXPECT_EQ(decodeLocalizationFile(shipped), shipped) << "not plain UTF-8";
  for (std::size_t at = 0; (at = shipped.find('\n', at + 1)) != std::string::npos;) {
    ASSERT_EQ(shipped[at - 1], '\r') << "bare LF at byte " << at;
  }
  EXPECT_EQ(shipped.rfind("</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n"), shipped.size() - 36);
  EXPECT_EQ(languageGroupNames(shipped),
            (std::vector<std::string>{"English", "Deutsch", "Русский", "Français", "Español",
                                      "Italiano", "Português (Brasil)", "Polski", "日本語"}));
}

// The English group is checked against the windows themselves under Wine; here every other
// group against the English one.
TEST_F(ShippedFileTest, EveryLanguageTranslatesEveryEnglishItemKeepingItsPlaceholders) {
  const Items english = groupItems(shipped, "English");
  ASSERT_GT(english.size(), 100u);
  auto keys = [](const Items& items) {
    std::vector<std::string> k;
    for (const auto& item : items) k.push_back(item.first);
    std::sort(k.begin(), k.end());
    return k;
  };
  for (const std::string& language : languageGroupNames(shipped)) {
    const Items items = groupItems(shipped, language);
    EXPECT_EQ(keys(items), keys(english)) << language;
    for (const auto& [key, text] : items) {
      auto en = std::find_if(english.begin(), english.end(),
                             [&](const auto& item) { return item.first == key; });
      if (en == english.end()) continue;
      EXPECT_EQ(text.empty(), en->second.empty()) << language << " " << key;
      EXPECT_EQ(marks(text), marks(en->second)) << language << " " << key << ": " << text;
    }
  }
}

TEST_F(ShippedFileTest, TitlesReadWithTheRealNames) {
  testing::FakeWindow main("frmMain");
  auto& website = main.add("CommandButton", "cmdWebsite");
  const struct {
    const char* language;
    const char* title;
    const char* website;
  } cases[] = {
      {"English", "Quenmark by Tarvossa", "Visit quenmark.example"},
      {"Deutsch", "Quenmark von Tarvossa", "Zur Website quenmark.example"},
      {"日本語", "Quenmark - Tarvossa", "Web サイト quenmark.example を開く"},
  };
  for (const auto& c : cases) {
    langs.ChangeLanguage(main, c.language);
    EXPECT_EQ(langs.getMessages("MSG_TITLE"), c.title);
    EXPECT_EQ(website.text(), c.website);
  }
}

}  // namespace
}  // namespace quenmark
