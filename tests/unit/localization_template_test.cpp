#include <gtest/gtest.h>

#include "core/i18n/languages.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace quenmark {
namespace {

using testing::FakeFileSystem;
using testing::FakeWindow;

const char* const kTemplatePath = "C:\\Quenmark\\Localization.txt";

std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
    lines.push_back(text.substr(from, at - from));
  }
  EXPECT_EQ(from, text.size()) << "text after the last line end";
  return lines;
}

class TemplateTest : public ::testing::Test {
 protected:
  TemplateTest() {
    fs.addDirectory("C:\\Quenmark");
    langs.setMessage("msg_title", "[ProgramName] by [CompanyName]");
    langs.setMessage("MSG_SURE", "Sure?");
  }

  FakeFileSystem fs;
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string CurrentLanguage = "English";
  clsLanguages langs{fs, codec, "C:\\Quenmark", identity, CurrentLanguage};
};

TEST_F(TemplateTest, WritesWindowsInLoadOrderThenMessagesThenTheClosingLines) {
  fs.addFile(kTemplatePath, "an older template");
  FakeWindow main("frmMain");
  auto& list = main.add("ListView", "lstSchedules");
  list.columns = {"Schedule Name", "Type"};
  main.add("CommandButton", "cmdGo", std::nullopt, "&Go");
  main.add("ComboBox", "cbShutdown", std::nullopt, "Hibernate");
  main.add("CheckBox", "chkPrevent", std::nullopt, "Prevent café, ночь");
  main.add("Label", "Label9", std::nullopt, "broken").failing = {"caption"};
  main.add("Menu", "mnuFile", 0, "File");
  main.add("Menu", "mnuTray", std::nullopt, "Tray");
  main.add("Menu", "mnuTrayItem", 3, "Exit");
  auto& tabs = main.add("TabStrip", "tabMain");
  tabs.tabs = {"First", "Second"};
  FakeWindow language("frmLanguage");
  language.add("SkinLabel", "Label1", std::nullopt, "Please select:");
  FakeWindow wizard("frmWizard");
  wizard.add("OptionButton", "optRepeat", 2, "Monthly");
  wizard.add("TreeView", "tvScheduleWeek", std::nullopt, "Monday");

  std::vector<TranslatableWindow*> forms = {&main, &language};
  langs.makeLocalizationFile([&] { return forms; }, [&] { forms.push_back(&wizard); });

  const std::vector<std::string> expected = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      "<XML_DIZ_INFO>",
      "\t<LOCALIZATION_FILE_INFO>",
      "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>",
      "\t</LOCALIZATION_FILE_INFO>",
      "<LANGUAGE_GROUP xml:lang=\"en\">",
      "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>",
      "\t<DESCRIPTION>This file contains various translations of program buttons, messages and "
      "menus in XML format.  The original document was created using translation software, and "
      "may sound strange when read by people.  We invite you to make modifications to existing "
      "languages and translate new languages.  Please send them to us so that we can update "
      "this file and make your translation available to all users.  Our current email address "
      "is located on our homepage which can be visited through the software or our program "
      "folder on your Start Menu.  Before making changes to a localization file please use the "
      "program to download the most recent localization file using the 'Check for Language "
      "Updates' button in the Languages window.</DESCRIPTION>",
      "\t<TRANSLATION_ITEMS>",
      "\t\t<FRMMAIN_LSTSCHEDULES_COL1>Schedule Name</FRMMAIN_LSTSCHEDULES_COL1>",
      "\t\t<FRMMAIN_LSTSCHEDULES_COL2>Type</FRMMAIN_LSTSCHEDULES_COL2>",
      "\t\t<FRMMAIN_CMDGO>&Go</FRMMAIN_CMDGO>",
      "\t\t<FRMMAIN_CHKPREVENT>Prevent caf\xE9, \?\?\?\?</FRMMAIN_CHKPREVENT>",
      "\t\t<FRMMAIN_MNUFILE0>File</FRMMAIN_MNUFILE0>",
      "\t\t<FRMMAIN_MNUTRAYITEM3>Exit</FRMMAIN_MNUTRAYITEM3>",
      "\t\t<FRMMAIN_TABMAIN_TABS1>First</FRMMAIN_TABMAIN_TABS1>",
      "\t\t<FRMMAIN_TABMAIN_TABS2>Second</FRMMAIN_TABMAIN_TABS2>",
      "\t\t<FRMLANGUAGE_LABEL1>Please select:</FRMLANGUAGE_LABEL1>",
      "\t\t<FRMWIZARD_OPTREPEAT2>Monthly</FRMWIZARD_OPTREPEAT2>",
      "\t\t<MSG_TITLE>[ProgramName] by [CompanyName]</MSG_TITLE>",
      "\t\t<MSG_SURE>Sure?</MSG_SURE>",
      "\t</TRANSLATION_ITEMS>",
      "</LANGUAGE_GROUP>",
      "</XML_DIZ_INFO>",
  };
  const std::vector<std::string> actual = splitCrLf(fs.contents(kTemplatePath));
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << i;
}

TEST_F(TemplateTest, AFileThatCannotBeWrittenIsSkippedQuietly) {
  fs.addFile(kTemplatePath, "kept", attr::kReadOnly);
  FakeWindow main("frmMain");
  langs.makeLocalizationFile([&] { return std::vector<TranslatableWindow*>{&main}; }, {});
  EXPECT_EQ(fs.contents(kTemplatePath), "kept");
}

}  // namespace
}  // namespace quenmark
