#include <gtest/gtest.h>

#include "core/i18n/default_messages.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace quenmark {
namespace {

class DefaultMessagesTest : public ::testing::Test {
 protected:
  DefaultMessagesTest() { fs.addDirectory("C:\\Quenmark"); }

  testing::FakeFileSystem fs;
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string CurrentLanguage = "English";
  clsLanguages langs{fs, codec, "C:\\Quenmark", identity, CurrentLanguage};
};

// The first eighteen letter for letter; the command line's and the "When..." texts follow.
TEST_F(DefaultMessagesTest, FillsTheFirstSlotsWithTheBuiltInTextsInTheirOrder) {
  SetDefaultMessages(langs);
  const std::pair<const char*, const char*> expected[] = {
      {"MSG_NEWNAME",
       "Error: An item with that name already exists.  Please choose a different name"},
      {"MSG_NONAME", "Error: You must choose a name for this schedule"},
      {"MSG_DELETE", "Are you sure you want to delete the selected item?"},
      {"MSG_SURE", "Are you sure you want to perform the selected action immediately?"},
      {"MSG_TITLE", "[ProgramName] by [CompanyName]"},
      {"MSG_TITLERUNNING", "[ProgramName] is still running"},
      {"MSG_TITLEOPTIONS", "General Preferences"},
      {"MSG_TITLEWIZARD", "Schedule Configuration"},
      {"MSG_TITLELANGUAGE", "Language Selection"},
      {"MSG_TITLEABOUT", "About [ProgramName]"},
      {"MSG_MONDAY", "Monday"},
      {"MSG_TUESDAY", "Tuesday"},
      {"MSG_WEDNESDAY", "Wednesday"},
      {"MSG_THURSDAY", "Thursday"},
      {"MSG_FRIDAY", "Friday"},
      {"MSG_SATURDAY", "Saturday"},
      {"MSG_SUNDAY", "Sunday"},
      {"MSG_DOWNLOADED",
       "The most recent language file has been downloaded.  Please check for new languages."},
      {"MSG_LOCKED",
       "An administrator has locked the schedules of this computer: they cannot be created, "
       "changed or deleted here."},
  };
  const MessageTable& table = langs.messageTable();
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_TRUE(table[i].inUse) << i;
    EXPECT_EQ(table[i].name, expected[i].first) << i;
    EXPECT_EQ(table[i].text, expected[i].second) << i;
  }
  // The command line's and the conditions' texts follow the windows' eighteen, each key once.
  const std::size_t filled = defaultMessages().size();
  for (std::size_t i = std::size(expected); i < filled; ++i) {
    EXPECT_TRUE(table[i].inUse) << i;
    EXPECT_TRUE(table[i].name.starts_with("MSG_CLI_") || table[i].name.starts_with("MSG_WHEN") ||
                table[i].name == "MSG_TITLECONDITION")
        << table[i].name;
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(table[i].name, table[j].name) << i;
  }
  EXPECT_FALSE(table[filled].inUse);
}

TEST_F(DefaultMessagesTest, WithoutAFileTitlesKeepTheirPlaceholdersLetterForLetter) {
  SetDefaultMessages(langs);
  testing::FakeWindow main("frmMain");
  langs.ChangeLanguage(main, "English");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "[ProgramName] by [CompanyName]");
  EXPECT_EQ(langs.getMessages("MSG_TITLEABOUT"), "About [ProgramName]");
  EXPECT_EQ(langs.getMessages("MSG_DOWNLOADED"),
            "The most recent language file has been downloaded.  Please check for new languages.");
}

}  // namespace
}  // namespace quenmark
