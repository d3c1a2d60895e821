#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>

#include "app/program_win32.h"
#include "windows/wizard_window.h"
#include "core/i18n/language_download.h"
#include "windows/language_window.h"
#include "platform/win32/text_win32.h"
#include "support/gui_pump_win32.h"
#include "support/http_server_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// What the modal test does from inside the modal loop; a timer procedure gets no context.
std::function<void()> stepInLoop;
void CALLBACK runStepInLoop(HWND, UINT, UINT_PTR, DWORD) {
  if (stepInLoop) stepInLoop();
}

// The groups of the shipped Localization.xml, in file order.
const std::vector<std::string> kShippedLanguages = {
    "English", "Deutsch", "Русский", "Français", "Español",
    "Italiano", "Português (Brasil)", "Polski", "日本語"};

// The main window with the real language window behind it, in a program folder that holds
// the shipped Localization.xml; downloads go through WinINet.
class LanguageWindowTest : public MainWindowTest {
 protected:
  ~LanguageWindowTest() override { exitProgram(); }

  // A start of the program, with both windows made afresh.
  void start() {
    exitProgram();
    main = std::make_unique<frmMain>(forms, win32::mainWindowContext(app), windows, guard);
    language = std::make_unique<frmLanguage>(forms, win32::languageContext(app, http, *main));
    windows.language = [this](bool modal) {
      opened.push_back(modal ? "language modal" : "language");
      language->open(modal);
    };
    main->load();
    if (main->loaded()) main->show();
  }
  void press(const std::string& button) const {
    language->control<gui::CommandButton>(button).click();
  }
  gui::ComboBox& combo() const { return language->control<gui::ComboBox>("Combo1"); }
  std::vector<std::string> listed() const {
    std::vector<std::string> names;
    for (int i = 0; i < combo().listCount(); ++i) names.push_back(combo().list(i));
    return names;
  }
  // What the combo box tells its window when the user picks an entry.
  void pick(int index) const {
    HWND c = combo().hwnd();
    SendMessageW(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(language->hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(c));
  }
  void screenshot(const std::string& file) const {
    pumpFor(forms, 200ms);
    RedrawWindow(language->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(saveWindowBitmap(language->hwnd(), screenshotFolder() + "\\" + file)) << file;
  }

  win32::WinInetHttp http;
  std::unique_ptr<frmLanguage> language;
};

// OK without a pick stores nothing, so the next start asks again.
TEST_F(LanguageWindowTest, TheFirstStartAsksModallyUntilALanguageIsPicked) {
  registry = FakeRegistry();
  app.options.set(Setting::showHelp, "0");
  for (int run = 1; run <= 2; ++run) {
    bool modal = false;
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    stepInLoop = [&] {
      if (language->visible()) {
        modal = !IsWindowEnabled(main->hwnd());
        press("Command2");
      } else if (language->loaded() && std::chrono::steady_clock::now() > giveUp) {
        language->unload();
      }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &runStepInLoop);
    start();
    KillTimer(nullptr, timer);
    stepInLoop = nullptr;
    EXPECT_TRUE(modal) << run;
    EXPECT_FALSE(language->loaded()) << run;
    EXPECT_EQ(app.options.get(Setting::Language, "none"), "none") << run;
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"language modal", "language modal"}));
}

// A pick translates the main window and the language window at once (their titles keep the
// language they were loaded in; the quick timer its lists, keeping the items chosen), and the
// wizard the next time it opens. Actions and delays are shown translated and stored in
// English.
TEST_F(LanguageWindowTest, APickTranslatesTheOpenWindowsAndTheWizardNextTime) {
  start();
  auto& delay = main->control<gui::ComboBox>("cmbTime");
  auto& action = main->control<gui::ComboBox>("cbShutdown");
  delay.setText("In 1 Hour");
  action.setText("Reboot");
  clickButton("cmdGo");
  chooseMenu("mnuLanguageItem", 0);
  ASSERT_TRUE(language->visible());
  LOGFONTW font{};
  GetObjectW(language->font(), sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Verdana") << "as the options window";
  EXPECT_EQ(opened, std::vector<std::string>{"language"});
  EXPECT_EQ(language->caption(), "Language Selection");
  EXPECT_EQ(listed(), kShippedLanguages);
  EXPECT_EQ(combo().text(), "English");
  screenshot("language_window.bmp");

  pick(1);
  EXPECT_EQ(app.options.get(Setting::Language, ""), "Deutsch");
  EXPECT_EQ(main->control("cmdNewSchedule").caption(), "Neuer Zeitplan");
  EXPECT_EQ(language->control("Command1").caption(), "Nach Sprachaktualisierungen suchen");
  EXPECT_EQ(language->caption(), "Language Selection");
  EXPECT_EQ(main->caption(), "Quenmark by Tarvossa");
  EXPECT_EQ(delay.text(), "In 1 Stunde");
  EXPECT_EQ(action.text(), "Neu starten");
  EXPECT_EQ(list().itemText(0, 1), "Neu starten");
  EXPECT_EQ(list().itemText(0, 4), "Ja");
  screenshot("language_window_de.bmp");
  clickButton("cmdGo");
  ASSERT_EQ(app.schedules.list().count(), 2u);
  EXPECT_EQ(app.schedules.list().at(1).type, "Reboot");
  EXPECT_EQ(app.schedules.list().at(1).nextRunTime, app.schedules.list().at(0).nextRunTime);
  frmWizard wizard(forms, win32::wizardContext(app));
  wizard.open(std::nullopt);
  EXPECT_EQ(wizard.caption(), "Zeitplan einrichten");
  EXPECT_EQ(wizard.control("cmdCancel").caption(), "Abbrechen");
  wizard.control("txtName").setCaption("Abend");
  wizard.control("cbShutdown").setCaption("Abmelden");
  wizard.control<gui::CommandButton>("cmdOK").click();
  EXPECT_NE(readTestFile(folder / "data\\Abend.sch").find("ItemType=Log Off\r\n"),
            std::string::npos);

  pick(2);  // a name in Cyrillic letters finds its group
  EXPECT_EQ(app.options.get(Setting::Language, ""), "Русский");
  EXPECT_EQ(main->control("cmdNewSchedule").caption(), "Создать");
}

TEST_F(LanguageWindowTest, TranslateOpensTheFileWithTheShellWhenThereIsOne) {
  start();
  chooseMenu("mnuLanguageItem", 0);
  press("Command3");
  ASSERT_EQ(shell.executed.size(), 1u);
  const FakeShell::Execute& e = shell.executed[0];
  EXPECT_EQ(e.owner, 0u);
  EXPECT_EQ(e.verb + "|" + e.file + "|" + e.parameters + "|" + e.directory,
            "open|" + (folder / "Localization.xml") + "||");
  EXPECT_EQ(e.showCommand, 1);
  ASSERT_TRUE(DeleteFileW(win32::widen(folder / "Localization.xml").c_str()));
  press("Command3");
  EXPECT_EQ(shell.executed.size(), 1u);
}

// "Check for language updates" against a server on 127.0.0.1: what is stored, what the list
// then shows (with the stored language, found or not), and what the user is told.
TEST_F(LanguageWindowTest, ADownloadStoresOnlyALanguageFileAndKeepsTheOldOneOtherwise) {
  auto languageFile = [](const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n<LANGUAGE_GROUP>\r\n"
           "\t<LANGUAGE_NAME>Suomi</LANGUAGE_NAME>\r\n\t<" +
           items + ">\r\n\t</" + items + ">\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>";
  };
  const std::string file = languageFile("TRANSLATION_ITEMS");
  const std::string lower = languageFile("translation_items");
  const std::string tiny =
      "<LANGUAGE_GROUP><LANGUAGE_NAME>Mini</LANGUAGE_NAME>"
      "<TRANSLATION_ITEMS></TRANSLATION_ITEMS></LANGUAGE_GROUP>";
  const std::string huge = file + std::string(kMaxLanguageFileBytes, ' ');
  const std::string old = shippedLocalization();
  const std::vector<std::string> oldNames = kShippedLanguages;
  const std::string downloaded =
      "The most recent language file has been downloaded.  Please check for new languages.";
  const std::string notWritable(frmLanguage::kNotWritableMessage);
  auto ok = [](const std::string& body) { return TestHttpServer::response(200, body); };
  // The head announces the whole file; the server closes the connection halfway through it,
  // past "<TRANSLATION_ITEMS>".
  const std::string cutShort = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(file.size()) +
                               "\r\nConnection: close\r\n\r\n" +
                               file.substr(0, file.find("</TRANSLATION_ITEMS>"));

  const struct {
    const char* what;
    std::string response;  // none: the connection is refused
    std::string stored;
    std::vector<std::string> names;
    std::string told;
    bool readOnly;
  } cases[] = {
      // clang-format off
      {"a language file", ok(file), file + "\r\n", {"Suomi"}, downloaded, false},
      {"a byte-order mark first", ok("\xEF\xBB\xBF" + file), file + "\r\n", {"Suomi"}, downloaded,
       false},
      {"the item-list tag in lower case", ok(lower), lower + "\r\n", {"Suomi"}, downloaded, false},
      {"less than 256 bytes", ok(tiny), tiny + "\r\n", {"Mini"}, downloaded, false},
      {"an error page", TestHttpServer::response(404, "<html>Not Found</html>"), old, oldNames, "",
       false},
      {"a refused connection", "", old, oldNames, "", false},
      {"a body over the bound", ok(huge), old, oldNames, "", false},
      {"a 50 MB body", ok(file + std::string(50u << 20, ' ')), old, oldNames, "", false},
      {"a body cut short of its length", cutShort, old, oldNames, "", false},
      {"a folder that cannot be written", ok(file), old, oldNames, notWritable, true},
      // clang-format on
  };
  start();
  for (const auto& c : cases) {
    ASSERT_TRUE(
        writeTestFile(folder / "Localization.xml", old, c.readOnly ? FILE_ATTRIBUTE_READONLY : 0));
    if (language->loaded()) press("Command2");
    chooseMenu("mnuLanguageItem", 0);  // the list of the old file
    dialogs.shown.clear();
    std::optional<TestHttpServer> server;
    if (!c.response.empty()) server.emplace(c.response);
    app.options.set(Setting::LanguageHost,
                    server ? server->host() : TestHttpServer::refusingHost());

    press("Command1");

    EXPECT_EQ(readTestFile(folder / "Localization.xml"), c.stored) << c.what;
    EXPECT_EQ(listed(), c.names) << c.what;
    EXPECT_EQ(combo().text(), "English") << c.what;
    std::vector<std::string> told;
    for (const auto& shown : dialogs.shown) told.push_back(shown.title + ": " + shown.text);
    EXPECT_EQ(told, c.told.empty() ? std::vector<std::string>{}
                                   : std::vector<std::string>{"Quenmark: " + c.told})
        << c.what;
    if (server && !server->requests().empty()) {
      const std::string head = server->requests().front();
      EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /Languages/25/Localization.xml HTTP/1.1");
      EXPECT_NE((head + "\r\n").find("\r\nUser-Agent: Mozilla\r\n"), std::string::npos) << head;
    } else {
      EXPECT_FALSE(server) << c.what << ": no request arrived";
    }
  }
}

}  // namespace
}  // namespace quenmark::testing
