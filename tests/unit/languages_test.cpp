#include <gtest/gtest.h>

#include "core/i18n/languages.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"
#include "support/localization_text.h"

namespace quenmark {
namespace {

using testing::FakeFileSystem;
using testing::FakeWindow;
using testing::item;
using testing::languageGroup;
using testing::localizationFile;

const char* const kFolder = "C:\\Quenmark";
const char* const kFilePath = "C:\\Quenmark\\Localization.xml";

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest() { fs.addDirectory(kFolder); }

  FakeFileSystem fs;
  Cp1252Codec codec;
  ProductIdentity identity{"Quenmark", "Tarvossa", "quenmark.example", 25, true};
  std::string CurrentLanguage = "English";
  clsLanguages langs{fs, codec, kFolder, identity, CurrentLanguage};
};

// ---- message table ----------------------------------------------------------------------

TEST_F(CatalogueTest, GetMessagesMatchesKeysInAnyCaseAndUpperCasesTheFirstLetterOnly) {
  langs.setMessage("MSG_SURE", "are you SURE?");
  langs.setMessage("MSG_TITLE", "[ProgramName] by [CompanyName]");
  EXPECT_EQ(langs.getMessages("msg_sure"), "Are you SURE?");
  EXPECT_EQ(langs.getMessages("MSG_SURE"), "Are you SURE?");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "[ProgramName] by [CompanyName]");
  EXPECT_EQ(langs.getMessages("MSG_NONE"), "");
}

TEST_F(CatalogueTest, TheTableHolds201MessagesAndIgnoresMore) {
  for (int i = 0; i < kMessageSlots; ++i) langs.setMessage("K" + std::to_string(i), "t");
  langs.setMessage("ONE_MORE", "lost");
  EXPECT_EQ(langs.getMessages("K200"), "T");
  EXPECT_EQ(langs.getMessages("ONE_MORE"), "");
}

TEST_F(CatalogueTest, ASecondMessageWithTheSameNameTakesANewSlotAndIsNeverFound) {
  langs.setMessage("MSG_A", "first");
  langs.setMessage("msg_a", "second");
  EXPECT_EQ(langs.messageTable()[1].text, "second");
  EXPECT_EQ(langs.getMessages("MSG_A"), "First");
}

// ---- loading a language and translating a window ----------------------------------------

struct LoadCase {
  const char* what;
  std::optional<std::string> file;
  const char* language;
  const char* cmdGo;
  const char* cmdEdit;
  const char* sure;
  const char* current;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.what; }

const std::string kEnglish =
    languageGroup("English", {item("FRMMAIN_CMDGO", "Go now"), item("MSG_SURE", "Sure now?")});

std::string german(const std::vector<std::string>& items, const std::string& name = "Deutsch") {
  return localizationFile({languageGroup(name, items), kEnglish});
}

const std::vector<std::string> kGermanItems = {item("FRMMAIN_CMDGO", "Los"),
                                               item("FRMMAIN_CMDEDIT", "Bearbeiten"),
                                               item("MSG_SURE", "Sicher?")};

class LoadTest : public CatalogueTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTest, TranslatesWhatTheFileHoldsAndKeepsTheRest) {
  const LoadCase& c = GetParam();
  if (c.file) fs.addFile(kFilePath, *c.file);
  langs.setMessage("MSG_SURE", "Sure?");
  FakeWindow w("frmMain");
  auto& go = w.add("CommandButton", "cmdGo", std::nullopt, "Go");
  auto& edit = w.add("CommandButton", "cmdEdit", std::nullopt, "Edit");

  langs.ChangeLanguage(w, c.language);

  EXPECT_EQ(go.text(), c.cmdGo);
  EXPECT_EQ(edit.text(), c.cmdEdit);
  EXPECT_EQ(langs.getMessages("MSG_SURE"), c.sure);
  EXPECT_EQ(CurrentLanguage, c.current);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTest,
    ::testing::Values(
        LoadCase{"no file", std::nullopt, "Deutsch", "Go", "Edit", "Sure?", "English"},
        LoadCase{"found", german(kGermanItems), "deutsch", "Los", "Bearbeiten", "Sicher?",
                 "deutsch"},
        LoadCase{"lower-case tags",
                 "<language_group>\r\n<language_name>Deutsch</language_name>\r\n"
                 "<translation_items>\r\n<frmmain_cmdgo>Los</frmmain_cmdgo>\r\n"
                 "<frmmain_cmdedit>Bearbeiten</frmmain_cmdedit>\r\n<msg_sure>Sicher?</msg_sure>"
                 "\r\n</translation_items>\r\n</language_group>\r\n",
                 "Deutsch", "Los", "Bearbeiten", "Sicher?", "Deutsch"},
        LoadCase{"leading space in the group name", german(kGermanItems, " Deutsch"), "Deutsch",
                 "Go now", "Edit", "Sure now?", "English"},
        LoadCase{"LF line ends: English, first item only",
                 localizationFile({languageGroup("Deutsch", kGermanItems, "\n"),
                                   languageGroup("English",
                                                 {item("FRMMAIN_CMDGO", "Go now"),
                                                  item("MSG_SURE", "Sure now?")},
                                                 "\n")},
                                  "\n"),
                 "Deutsch", "Go now", "Edit", "Sure?", "English"},
        LoadCase{
            "closing tag on the next line",
            german({"<FRMMAIN_CMDGO>Los", "</FRMMAIN_CMDGO>", kGermanItems[1], kGermanItems[2]}),
            "Deutsch", "Go", "Bearbeiten", "Sicher?", "Deutsch"},
        LoadCase{"two lines with one key",
                 german({item("FRMMAIN_CMDGO", "Los"), item("FRMMAIN_CMDGO", "Start")}), "Deutsch",
                 "Los", "Edit", "Sure?", "Deutsch"},
        LoadCase{"empty MSG_SURE", german({kGermanItems[0], item("MSG_SURE", "")}), "Deutsch",
                 "Los", "Edit", "Sure?", "Deutsch"},
        LoadCase{"empty item list: nothing translated, no English",
                 localizationFile({"<LANGUAGE_GROUP><LANGUAGE_NAME>Deutsch</LANGUAGE_NAME>"
                                   "<TRANSLATION_ITEMS></TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n",
                                   kEnglish}),
                 "Deutsch", "Go", "Edit", "Sure?", "Deutsch"},
        LoadCase{"one key missing", german({kGermanItems[0], kGermanItems[2]}), "Deutsch", "Los",
                 "Edit", "Sicher?", "Deutsch"},
        LoadCase{
            "lower-case placeholder and first letter",
            german({item("FRMMAIN_CMDGO", "[programname] los, [COMPANYNAME]!"),
                    item("FRMMAIN_CMDEDIT", "bearbeiten"), item("MSG_SURE", "siehe [website]")}),
            "Deutsch", "Quenmark los, Tarvossa!", "Bearbeiten", "Siehe quenmark.example",
            "Deutsch"}));

TEST_F(CatalogueTest, AMissingLanguageKeepsTheOneLoadedBefore) {
  fs.addFile(kFilePath, german(kGermanItems));
  FakeWindow w("frmMain");
  auto& go = w.add("CommandButton", "cmdGo", std::nullopt, "Go");
  langs.ChangeLanguage(w, "Deutsch");
  go.setCaption("Go");

  langs.ChangeLanguage(w, "Klingon");

  EXPECT_EQ(go.text(), "Los");
  EXPECT_EQ(CurrentLanguage, "Klingon");
}

TEST_F(CatalogueTest, MessagesOfAnEarlierLanguageStayWhereTheNextLacksThem) {
  fs.addFile(kFilePath, localizationFile(
                            {languageGroup("Deutsch", kGermanItems),
                             languageGroup("Français", {item("X", "x"), item("MSG_OTHER", "é")})}));
  langs.setMessage("MSG_SURE", "Sure?");
  FakeWindow w("frmMain");
  langs.ChangeLanguage(w, "Deutsch");
  langs.ChangeLanguage(w, "Français");
  EXPECT_EQ(langs.getMessages("MSG_SURE"), "Sicher?");
}

TEST_F(CatalogueTest, WalksEveryControlKindByItsKeyScheme) {
  fs.addFile(kFilePath,
             localizationFile({languageGroup(
                 "Deutsch", {item("FRMTEST_LABEL1", "Etikett"), item("FRMTEST_CMDOK", "Gut"),
                             item("FRMTEST_SKINLABEL1", "Haut"), item("FRMTEST_FRAME1", "Rahmen"),
                             item("FRMTEST_CHKA", "Kästchen"), item("FRMTEST_TABS1_TABS1", "Eins"),
                             item("FRMTEST_TABS1_TABS2", "Zwei"), item("FRMTEST_LST_COL1", "Name"),
                             item("FRMTEST_LST_COL3", "Art"), item("FRMTEST_OPTR0", "Täglich"),
                             item("FRMTEST_OPTR1", "Wöchentlich"), item("FRMTEST_MNUITEM3", "Ende"),
                             item("FRMTEST_MNUTRAY", "Leiste"), item("FRMTEST_MNUTRAY0", "Leiste"),
                             item("FRMTEST_TXTNAME", "Text"), item("FRMTEST_CMBA", "Kombi"),
                             item("FRMTEST_TV", "Baum"), item("FRMTEST_OPTR", "Option")})}));
  FakeWindow w("frmTest");
  auto& label = w.add("Label", "Label1", std::nullopt, "Label");
  auto& ok = w.add("CommandButton", "cmdOK", std::nullopt, "OK");
  auto& skin0 = w.add("SkinLabel", "SkinLabel1", 0, "s0");
  auto& skin1 = w.add("SkinLabel", "SkinLabel1", 1, "s1");
  auto& frame = w.add("Frame", "Frame1", std::nullopt, "Frame");
  auto& check = w.add("CheckBox", "chkA", std::nullopt, "Box");
  auto& tabs = w.add("TabStrip", "Tabs1");
  tabs.tabs = {"One", "Two"};
  auto& list = w.add("ListView", "lst");
  list.columns = {"Name?", "Kind", "Type"};
  auto& opt0 = w.add("OptionButton", "optR", 0, "Daily");
  auto& opt1 = w.add("OptionButton", "optR", 1, "Weekly");
  auto& single = w.add("OptionButton", "optR", std::nullopt, "Single");
  auto& menu = w.add("Menu", "mnuItem", 3, "Exit");
  auto& tray = w.add("Menu", "mnuTray", std::nullopt, "Tray");
  auto& text = w.add("TextBox", "txtName", std::nullopt, "typed");
  auto& combo = w.add("ComboBox", "cmbA", std::nullopt, "Now");
  auto& tree = w.add("TreeView", "tv", std::nullopt, "node");

  langs.ChangeLanguage(w, "Deutsch");

  EXPECT_EQ(label.text(), "Etikett");
  EXPECT_EQ(ok.text(), "Gut");
  EXPECT_EQ(skin0.text(), "Haut");
  EXPECT_EQ(skin1.text(), "Haut");
  EXPECT_EQ(frame.text(), "Rahmen");
  EXPECT_EQ(check.text(), "Kästchen");
  EXPECT_EQ(tabs.tabs, (std::vector<std::string>{"Eins", "Zwei"}));
  EXPECT_EQ(list.columns, (std::vector<std::string>{"Name", "Kind", "Art"}));
  EXPECT_EQ(opt0.text(), "Täglich");
  EXPECT_EQ(opt1.text(), "Wöchentlich");
  EXPECT_EQ(single.text(), "Single");
  EXPECT_EQ(menu.text(), "Ende");
  EXPECT_EQ(tray.text(), "Tray");
  EXPECT_EQ(text.text(), "typed");
  EXPECT_EQ(combo.text(), "Now");
  EXPECT_EQ(tree.text(), "node");

  // Captions repaint once, strips once per tab or column, menus and other kinds never.
  EXPECT_EQ(label.refreshes, 1);
  EXPECT_EQ(opt0.refreshes, 1);
  EXPECT_EQ(tabs.refreshes, 2);
  EXPECT_EQ(list.refreshes, 3);
  EXPECT_EQ(menu.refreshes, 0);
  EXPECT_EQ(text.refreshes, 0);
}

TEST_F(CatalogueTest, AFailingStepIsSkippedAndTheWalkGoesOn) {
  fs.addFile(kFilePath,
             localizationFile({languageGroup(
                 "Deutsch", {item("FRMMAIN_CMDA", "A"), item("FRMMAIN_CMDB", "B"),
                             item("FRMMAIN_CMDC", "C"), item("FRMMAIN_LST_COL1", "1"),
                             item("FRMMAIN_LST_COL2", "2"), item("MSG_SURE", "Sicher?")})}));
  langs.setMessage("MSG_SURE", "Sure?");
  FakeWindow w("frmMain");
  auto& a = w.add("CommandButton", "cmdA", std::nullopt, "a");
  a.failing = {"setCaption"};
  auto& b = w.add("CommandButton", "cmdB", std::nullopt, "b");
  b.failing = {"refresh"};
  auto& unnamed = w.add("CommandButton", "cmdC", std::nullopt, "c");
  unnamed.failing = {"name"};
  auto& untyped = w.add("CommandButton", "cmdC", std::nullopt, "c");
  untyped.failing = {"typeName"};
  auto& list = w.add("ListView", "lst");
  list.columns = {"one", "two"};
  list.failing = {"refresh"};
  auto& c = w.add("CommandButton", "cmdC", std::nullopt, "c");

  langs.ChangeLanguage(w, "Deutsch");

  EXPECT_EQ(a.text(), "a");
  EXPECT_EQ(a.refreshes, 1);
  EXPECT_EQ(b.text(), "B");
  EXPECT_EQ(unnamed.text(), "c");
  EXPECT_EQ(unnamed.refreshes, 1);
  EXPECT_EQ(untyped.text(), "c");
  EXPECT_EQ(list.columns, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(c.text(), "C");
  EXPECT_EQ(langs.getMessages("MSG_SURE"), "Sicher?");
}

// Russian and Japanese arrive letter for letter: the catalogue keeps UTF-8 throughout.
TEST_F(CatalogueTest, RussianAndJapaneseGroupsReachTheWindowsIntact) {
  fs.addFile(
      kFilePath,
      "\xEF\xBB\xBF" +
          localizationFile(
              {languageGroup("English", {item("FRMMAIN_CMDGO", "Go")}),
               languageGroup("Русский", {item("FRMMAIN_CMDGO", "выполнить"),
                                         item("FRMMAIN_LSTSCHEDULES_COL1", "Имя расписания"),
                                         item("FRMMAIN_MNUFILEITEM6", "Выход"),
                                         item("MSG_TITLE", "[ProgramName] от [CompanyName]")}),
               languageGroup("日本語", {item("FRMMAIN_CMDGO", "実行"),
                                        item("FRMMAIN_LSTSCHEDULES_COL1", "スケジュール名"),
                                        item("FRMMAIN_MNUFILEITEM6", "終了"),
                                        item("MSG_TITLE", "[ProgramName]（[CompanyName]）")})}));
  langs.setMessage("MSG_TITLE", "[ProgramName] by [CompanyName]");
  FakeWindow w("frmMain");
  auto& list = w.add("ListView", "lstSchedules");
  list.columns = {"Schedule Name"};
  auto& go = w.add("CommandButton", "cmdGo", std::nullopt, "Go");
  auto& exit = w.add("Menu", "mnuFileItem", 6, "Exit");

  langs.ChangeLanguage(w, "РУССКИЙ");
  EXPECT_EQ(go.text(), "Выполнить");
  EXPECT_EQ(list.columns[0], "Имя расписания");
  EXPECT_EQ(exit.text(), "Выход");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "Quenmark от Tarvossa");

  langs.ChangeLanguage(w, "日本語");
  EXPECT_EQ(go.text(), "実行");
  EXPECT_EQ(list.columns[0], "スケジュール名");
  EXPECT_EQ(exit.text(), "終了");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "Quenmark（Tarvossa）");
  EXPECT_EQ(CurrentLanguage, "日本語");
}

// ---- files --------------------------------------------------------------------------------

struct ExistsCase {
  const char* path;
  bool expected;
};

void PrintTo(const ExistsCase& c, std::ostream* os) { *os << c.path; }

class LangFileExistsTest : public CatalogueTest, public ::testing::WithParamInterface<ExistsCase> {
 protected:
  void SetUp() override {
    fs.addFile("C:\\Quenmark\\Localization.xml", "x");
    fs.addFile("C:\\Quenmark\\secret.txt", "x", attr::kHidden | attr::kSystem | attr::kReadOnly);
    fs.addDirectory("C:\\Quenmark\\data");
  }
};

TEST_P(LangFileExistsTest, FindsFilesOfEveryAttributeButNotFoldersOrPatterns) {
  EXPECT_EQ(langs.LangFileExists(GetParam().path), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Paths, LangFileExistsTest,
                         ::testing::Values(ExistsCase{"C:\\Quenmark\\Localization.xml", true},
                                           ExistsCase{"c:\\quenmark\\LOCALIZATION.XML", true},
                                           ExistsCase{"C:\\Quenmark\\secret.txt", true},
                                           ExistsCase{"C:\\Quenmark\\data", false},
                                           ExistsCase{"C:\\Quenmark\\*.xml", false},
                                           ExistsCase{"C:\\Quenmark\\missing.xml", false},
                                           ExistsCase{"", false}));

TEST_F(CatalogueTest, LangFileExistsIsFalseWhenTheSearchFails) {
  fs.addFile(kFilePath, "x");
  fs.failNext("find", {21, "The device is not ready."});
  EXPECT_FALSE(langs.LangFileExists(kFilePath));
}

TEST(LangTrimPath, KeepsThePartAfterTheLastBackslash) {
  EXPECT_EQ(clsLanguages::LangTrimPath("C:\\dir\\file.sch"), "file.sch");
  EXPECT_EQ(clsLanguages::LangTrimPath("file.sch"), "file.sch");
  EXPECT_EQ(clsLanguages::LangTrimPath("C:\\dir\\"), "");
  EXPECT_EQ(clsLanguages::LangTrimPath("C:/dir/file.sch"), "C:/dir/file.sch");
  EXPECT_EQ(clsLanguages::LangTrimPath(""), "");
}

}  // namespace
}  // namespace quenmark
