#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "i18n/default_messages.h"
#include "i18n/localization_file.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace quenmark {
namespace {

using testing::FakeWindow;

// res/Localization.xml of this source tree. Under Wine the path resolves through the
// drive that maps the Linux root.
std::string shippedFile() {
  const std::string here = __FILE__;
  const std::string root = here.substr(0, here.rfind("tests"));
  std::ifstream in(root + "res/Localization.xml", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every translated window with its controls in window order and their design texts. A
// list view's text holds its column headers separated by "|"; no index is -1.
struct DesignControl {
  const char* window;
  const char* type;
  const char* name;
  int index;
  const char* text;
};

constexpr DesignControl kDesign[] = {
    {"frmMain", "ListView", "lstSchedules", -1,
     "Schedule Name|Type|Last Run Time|Next Run Time|Enabled"},
    {"frmMain", "CommandButton", "cmdNewSchedule", -1, "New Schedule"},
    {"frmMain", "CommandButton", "cmdEdit", -1, "Edit"},
    {"frmMain", "CommandButton", "cmdDelete", -1, "Delete"},
    {"frmMain", "CommandButton", "cmdWebsite", -1, "Visit [Website]"},
    {"frmMain", "CommandButton", "cmdPower", -1, "Power Options"},
    {"frmMain", "SkinLabel", "Label1", -1, "Temporary Scheduler:"},
    {"frmMain", "SkinLabel", "SkinLabel1", 0, ""},
    {"frmMain", "ComboBox", "cmbTime", -1, "Now"},
    {"frmMain", "ComboBox", "cbShutdown", -1, ""},
    {"frmMain", "CommandButton", "cmdGo", -1, "Go"},
    {"frmMain", "CheckBox", "chkLowPower", -1,
     "Prevent this computer from entering Stand By mode or Hibernating due to inactivity"},
    {"frmMain", "CheckBox", "chkPrevent", -1, "Prevent any schedules from running"},
    {"frmMain", "ListBox", "lstSchedule", -1, ""},
    {"frmMain", "PictureBox", "pctTray", -1, ""},
    {"frmMain", "Menu", "mnuFile", 0, "File"},
    {"frmMain", "Menu", "mnuFileItem", 0, "New Schedule"},
    {"frmMain", "Menu", "mnuFileItem", 1, "Edit Selected"},
    {"frmMain", "Menu", "mnuFileItem", 2, "Delete Selected"},
    {"frmMain", "Menu", "mnuFileItem", 3, "-"},
    {"frmMain", "Menu", "mnuFileItem", 4, "General Preferences"},
    {"frmMain", "Menu", "mnuFileItem", 5, "-"},
    {"frmMain", "Menu", "mnuFileItem", 6, "Exit"},
    {"frmMain", "Menu", "mnuAction", 0, "Action"},
    {"frmMain", "Menu", "mnuActionItem", 0, "Hibernate"},
    {"frmMain", "Menu", "mnuActionItem", 1, "Shut Down"},
    {"frmMain", "Menu", "mnuActionItem", 2, "Reboot"},
    {"frmMain", "Menu", "mnuActionItem", 3, "Log Off"},
    {"frmMain", "Menu", "mnuActionItem", 4, "Stand By"},
    {"frmMain", "Menu", "mnuView", 0, "View"},
    {"frmMain", "Menu", "mnuPowerOptions", 0, "Power Options"},
    {"frmMain", "Menu", "mnuLanguage", 0, "Languages"},
    {"frmMain", "Menu", "mnuLanguageItem", 0, "Change Language"},
    {"frmMain", "Menu", "mnuHelp", 0, "Help"},
    {"frmMain", "Menu", "mnuHelpItem", 0, "View Help"},
    {"frmMain", "Menu", "mnuAbout", 0, "About"},
    {"frmMain", "Menu", "mnuAboutItem", 0, "About this software"},
    {"frmMain", "Menu", "mnuTray", -1, "Tray"},
    {"frmMain", "Menu", "mnuTrayItem", 0, "Open"},
    {"frmMain", "Menu", "mnuTrayItem", 1, "Hide Menu"},
    {"frmMain", "Menu", "mnuTrayItem", 2, "-"},
    {"frmMain", "Menu", "mnuTrayItem", 3, "Exit"},
    {"frmWizard", "Label", "Label1", -1, "Schedule Name:"},
    {"frmWizard", "TextBox", "txtName", -1, ""},
    {"frmWizard", "Label", "Label2", -1, "ScheduleType:"},
    {"frmWizard", "ComboBox", "cbShutdown", -1, ""},
    {"frmWizard", "Frame", "Frame6", -1, "Schedule"},
    {"frmWizard", "CheckBox", "chkScheduler", -1, "Enable Scheduler"},
    {"frmWizard", "Label", "SkinLabel12", -1, "Start:"},
    {"frmWizard", "CheckBox", "chkRepeat", -1, "Run Schedule"},
    {"frmWizard", "Frame", "frRepeat", -1, ""},
    {"frmWizard", "OptionButton", "optRepeat", 0, "Daily"},
    {"frmWizard", "OptionButton", "optRepeat", 1, "Weekly"},
    {"frmWizard", "OptionButton", "optRepeat", 2, "Monthly"},
    {"frmWizard", "TreeView", "tvScheduleWeek", -1, ""},
    {"frmWizard", "TreeView", "tvScheduleMonth", -1, ""},
    {"frmWizard", "CommandButton", "cmdOK", -1, "OK"},
    {"frmWizard", "CommandButton", "cmdCancel", -1, "Cancel"},
    {"frmOptions", "Frame", "Frame2", -1, "Startup Options"},
    {"frmOptions", "CheckBox", "chkRunAtStart", -1, "Run at Windows Startup (recommended)"},
    {"frmOptions", "CheckBox", "chkMin", -1, "Open minimized to the system Tray"},
    {"frmOptions", "CheckBox", "chkSplash", -1, "Don't show the splash screen"},
    {"frmOptions", "Frame", "Frame1", -1, "Miscellaneous Options"},
    {"frmOptions", "CheckBox", "chkNoShow", -1, "Don't show a reminder when I close the program."},
    {"frmOptions", "CheckBox", "chkAlwaysExit", -1,
     "Always exit completely when I close the program, don't run scheduled events after "
     "closing."},
    {"frmOptions", "CheckBox", "chkLog", -1, "Enable Logging"},
    {"frmOptions", "Frame", "Frame3", -1, "Default LAN Backup Folder"},
    {"frmOptions", "Label", "Label1", -1, "Folder:"},
    {"frmOptions", "CommandButton", "cmdBrowse", -1, "Browse"},
    {"frmOptions", "Frame", "Frame4", -1, "Default FTP Values"},
    {"frmOptions", "Label", "Label2", -1, "Host:"},
    {"frmOptions", "Label", "Label3", -1, "Port:"},
    {"frmOptions", "Label", "Label4", -1, "Username:"},
    {"frmOptions", "Label", "Label5", -1, "Password:"},
    {"frmOptions", "Label", "Label6", -1, "Folder:"},
    {"frmOptions", "Frame", "Frame5", -1, "Email Configuration"},
    {"frmOptions", "Label", "Label7", -1, "Email From:"},
    {"frmOptions", "Label", "Label8", -1, "Mail Server:"},
    {"frmOptions", "Label", "Label9", -1, "Port:"},
    {"frmOptions", "Label", "Label10", -1, "Email To:"},
    {"frmOptions", "Label", "Label11", -1, "Username:"},
    {"frmOptions", "Label", "Label12", -1, "Password:"},
    {"frmOptions", "CheckBox", "chkAuth", -1, "Use Authentication"},
    {"frmOptions", "CheckBox", "chkAttachment", -1, "Send as Attachment"},
    {"frmOptions", "CommandButton", "cmdSend", -1, "Test"},
    {"frmOptions", "Label", "Label13", -1,
     "Enter the outgoing (SMTP) mail server of your e-mail provider."},
    {"frmOptions", "Label", "Label14", -1,
     "Your provider's help pages name it, often smtp. followed by the provider's domain."},
    {"frmOptions", "Label", "Label15", -1,
     "The usual port is 25; many providers ask for 587 instead."},
    {"frmOptions", "Label", "Label16", -1,
     "Tick Use Authentication when the server asks for your username and password."},
    {"frmOptions", "SkinLabel", "SkinLabel1", 0, ""},
    {"frmOptions", "SkinLabel", "SkinLabel2", 0, ""},
    {"frmOptions", "SkinLabel", "SkinLabel3", 0, ""},
    {"frmOptions", "SkinLabel", "SkinLabel4", 0, ""},
    {"frmOptions", "SkinLabel", "SkinLabel5", 0, ""},
    {"frmOptions", "SkinLabel", "SkinLabel6", 0, ""},
    {"frmLanguage", "SkinLabel", "Label1", -1, "Please select the language you would like to use:"},
    {"frmLanguage", "ComboBox", "Combo1", -1, "Choose Language Here"},
    {"frmLanguage", "CommandButton", "Command1", -1, "Check for language updates"},
    {"frmLanguage", "CommandButton", "Command3", -1, "Translate this program"},
    {"frmLanguage", "CommandButton", "Command2", -1, "OK"},
    {"frmLanguage", "Line", "Line1", -1, ""},
    {"frmAbout", "PictureBox", "Picture1", -1, ""},
    {"frmAbout", "Label", "Label1", -1, "YourProgramName"},
    {"frmAbout", "Label", "Label2", -1, "Version:"},
    {"frmAbout", "Label", "lblVersion", -1, "Version"},
    {"frmAbout", "Label", "Label3", -1, "Owned By:"},
    {"frmAbout", "Label", "lblCompany", -1, ""},
    {"frmAbout", "Label", "Label4", -1, "Website:"},
    {"frmAbout", "Label", "lblWebsite", -1, ""},
    {"frmAbout", "Label", "Label5", -1,
     "Warning: this computer program is protected by copyright law and international "
     "treaties."},
    {"frmStillRunning", "Label", "Label1", -1, "Still Running"},
    {"frmStillRunning", "Label", "Label2", -1,
     "will continue to run in the system tray, so that scheduled backup sets will be executed "
     "in time."},
    {"frmStillRunning", "CheckBox", "chkNoShow", -1, "Don't show this reminder again"},
    {"frmStillRunning", "CheckBox", "chkAlwaysExit", -1,
     "Always exit completely when I close the program, don't run scheduled events."},
    {"frmStillRunning", "CommandButton", "cmdOK", -1, "OK"},
};

std::vector<std::unique_ptr<FakeWindow>> designWindows() {
  std::vector<std::unique_ptr<FakeWindow>> windows;
  for (const DesignControl& d : kDesign) {
    if (windows.empty() || windows.back()->name() != d.window) {
      windows.push_back(std::make_unique<FakeWindow>(d.window));
    }
    auto index = d.index < 0 ? std::nullopt : std::optional<int>(d.index);
    auto& control = windows.back()->add(d.type, d.name, index, d.text);
    if (std::string(d.type) == "ListView") {
      std::string headers = d.text;
      for (std::size_t from = 0, bar;; from = bar + 1) {
        bar = headers.find('|', from);
        control.columns.push_back(headers.substr(from, bar - from));
        if (bar == std::string::npos) break;
      }
    }
  }
  return windows;
}

const testing::FakeControl& control(FakeWindow& window, const std::string& name) {
  for (TranslatableControl* c : window.controls()) {
    if (c->name() == name) return *static_cast<testing::FakeControl*>(c);
  }
  throw std::out_of_range(name);
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
            (std::vector<std::string>{"English", "Deutsch", "Русский"}));
}

// The English group is the template the program writes from its windows as designed:
// every control key and every message key, with the design and default texts.
TEST_F(ShippedFileTest, TheEnglishGroupIsTheTemplateOfTheDesignedWindows) {
  auto windows = designWindows();
  std::vector<TranslatableWindow*> forms;
  for (auto& w : windows) forms.push_back(w.get());
  langs.makeLocalizationFile([&] { return forms; }, {});
  const std::string written = fs.contents("C:\\Quenmark\\Localization.txt");

  auto expected = readTranslationLines(written, "English");
  auto english = readTranslationLines(shipped, "English");
  ASSERT_TRUE(expected && english);
  EXPECT_EQ(*english, *expected);
}

TEST_F(ShippedFileTest, EveryOtherLanguageTranslatesEveryEnglishText) {
  const auto english = *readTranslationLines(shipped, "English");
  for (const std::string& language : languageGroupNames(shipped)) {
    auto lines = readTranslationLines(shipped, language);
    ASSERT_TRUE(lines) << language;
    for (const std::string& line : english) {
      if (line.size() < 3) continue;
      const std::string key = line.substr(3, line.find('>') - 3);
      const std::string text = findItemText(english, key).value_or("");
      EXPECT_EQ(findItemText(*lines, key).value_or("").empty(), text.empty())
          << language << " " << key;
    }
  }
}

TEST_F(ShippedFileTest, TitlesReadWithTheRealNamesInEveryLanguage) {
  auto windows = designWindows();
  FakeWindow& main = *windows.front();

  langs.ChangeLanguage(main, "English");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "Quenmark by Tarvossa");
  EXPECT_EQ(langs.getMessages("MSG_TITLEABOUT"), "About Quenmark");
  EXPECT_EQ(control(main, "cmdWebsite").text(), "Visit quenmark.example");

  langs.ChangeLanguage(main, "Deutsch");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "Quenmark von Tarvossa");

  langs.ChangeLanguage(main, "Русский");
  EXPECT_EQ(langs.getMessages("MSG_TITLE"), "Quenmark от Tarvossa");
  EXPECT_EQ(control(main, "cmdGo").text(), "Выполнить");
  EXPECT_EQ(control(main, "mnuTrayItem").text(), "Открыть");
}

}  // namespace
}  // namespace quenmark
