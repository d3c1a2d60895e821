#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/program_win32.h"
#include "i18n/default_messages.h"
#include "i18n/localization_file.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/text_win32.h"
#include "settings/options_window.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/gui_pump_win32.h"
#include "support/layout_check_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// A company and product of the tests' own: their keys go before and after each test.
constexpr char kSection[] = "SOFTWARE\\TarvossaOptTest\\QuenmarkOptTest\\Settings";
constexpr char kRunSection[] = "SOFTWARE\\TarvossaOptTest\\QuenmarkOptTest-1\\Settings";
constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunEntry[] = "QuenmarkOptTest-1";

// The real registry, noting the name of each value stored or deleted ("-name"), and refusing,
// when told, to create keys under HKEY_LOCAL_MACHINE, as Windows does for a limited account.
class WatchedRegistry : public Registry {
 public:
  bool denyMachine = false;
  std::vector<std::string> written;

  RegStatus createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                        RegKey& key) override {
    if (denyMachine && root == reg::kHkeyLocalMachine) return reg::kErrorAccessDenied;
    return real_.createKeyEx(root, path, access, key);
  }
  RegStatus createKey(RegKey root, const std::string& path, RegKey& key) override {
    if (denyMachine && root == reg::kHkeyLocalMachine) return reg::kErrorAccessDenied;
    return real_.createKey(root, path, key);
  }
  RegStatus openKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                      RegKey& key) override {
    return real_.openKeyEx(root, path, access, key);
  }
  RegStatus openKey(RegKey root, const std::string& path, RegKey& key) override {
    return real_.openKey(root, path, key);
  }
  RegStatus queryValueInfo(RegKey key, const std::string& name, std::uint32_t& type,
                           std::uint32_t& size) override {
    return real_.queryValueInfo(key, name, type, size);
  }
  RegStatus queryValue(RegKey key, const std::string& name, std::uint32_t size, std::uint32_t& type,
                       std::string& data) override {
    return real_.queryValue(key, name, size, type, data);
  }
  RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type,
                     std::string_view data) override {
    written.push_back(name);
    return real_.setValue(key, name, type, data);
  }
  RegStatus deleteValue(RegKey key, const std::string& name) override {
    written.push_back("-" + name);
    return real_.deleteValue(key, name);
  }
  RegStatus deleteKey(RegKey root, const std::string& path) override {
    return real_.deleteKey(root, path);
  }
  RegStatus closeKey(RegKey key) override { return real_.closeKey(key); }

 private:
  win32::Win32Registry real_;
};

// A value under HKEY_LOCAL_MACHINE as the ANSI functions read it; "<missing>" when absent.
std::string machineValue(const char* path, const char* name) {
  char buf[512] = {};
  DWORD cb = sizeof buf;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, path, name, RRF_RT_REG_SZ, nullptr, buf, &cb) != 0) {
    return "<missing>";
  }
  return std::string(buf, cb - 1);
}

// The names of the section's values as the registry keeps them.
std::vector<std::string> valueNames(const char* path) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != 0) return names;
  char name[256];
  for (DWORD i = 0, n = sizeof name;
       RegEnumValueA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) == 0;
       ++i, n = sizeof name) {
    names.emplace_back(name, n);
  }
  RegCloseKey(key);
  return names;
}

bool companyKeyExists(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, L"Software\\TarvossaOptTest", 0, KEY_READ, &key) != 0) return false;
  RegCloseKey(key);
  return true;
}

class OptionsWindowTest : public ::testing::Test {
 protected:
  OptionsWindowTest() {
    identity.ProgramName = "QuenmarkOptTest";
    identity.CompanyName = "TarvossaOptTest";
    SetDefaultMessages(languages);
    clean();
  }
  ~OptionsWindowTest() override {
    window.reset();
    clean();
  }
  static void clean() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TarvossaOptTest");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TarvossaOptTest");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRun, kRunEntry);
  }

  frmOptions& open(const std::string& modulePath = win32::runningModulePath()) {
    window = std::make_unique<frmOptions>(
        forms, OptionsContext{settings, registry, dialogs, codec, languages, language, modulePath});
    window->open();
    gui::doEvents(forms);
    return *window;
  }
  void close() {
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    gui::doEvents(forms);
  }
  HWND hwnd(const char* name) const { return window->control(name).hwnd(); }
  int checked(const char* name) const { return window->control<gui::CheckBox>(name).value(); }
  void click(const char* name) {
    SendMessageW(hwnd(name), BM_CLICK, 0, 0);
    gui::doEvents(forms);
  }
  void type(const char* name, const std::string& keys) {
    for (char k : keys) SendMessageW(hwnd(name), WM_CHAR, static_cast<WPARAM>(k), 1);
  }
  void saveRunChoice(const char* value) {
    store.SaveMachineSetting(kRunEntry, "Settings", "chkRunAtStart", value);
  }

  WatchedRegistry registry;
  FakeDialogs dialogs;
  win32::AnsiCodec codec;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  ProgramSettings settings{store, identity};
  FakeFileSystem fs;
  std::string language = "English";
  clsLanguages languages{fs, codec, "C:\\Quenmark", identity, language};
  gui::Forms forms;
  std::unique_ptr<frmOptions> window;
};

TEST_F(OptionsWindowTest, OpensOnACleanMachineWithEveryBoxClearAndWritesNothing) {
  frmOptions& w = open();
  EXPECT_EQ(w.caption(), "General Preferences");
  for (const char* box : {"chkRunAtStart", "chkMin", "chkSplash", "chkNoShow", "chkAlwaysExit"}) {
    EXPECT_TRUE(IsWindowVisible(hwnd(box))) << box;
    EXPECT_EQ(checked(box), 0) << box;
  }
  for (const char* hidden : {"chkLog", "Frame3", "Frame4", "Frame5", "txtPort"}) {
    EXPECT_FALSE(IsWindowVisible(hwnd(hidden))) << hidden;
  }
  EXPECT_EQ(w.control("txtPort").caption(), "25");
  EXPECT_EQ(w.control("txtFTPFolder").caption(), "/");
  EXPECT_EQ(w.scaleWidth(), 10305);
  EXPECT_EQ(w.scaleHeight(), 2730);
  EXPECT_EQ(registry.written, std::vector<std::string>{});
  EXPECT_FALSE(companyKeyExists(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(machineValue(kRun, kRunEntry), "<missing>");

  // A picture for review, and what a look at it would check.
  EXPECT_EQ(layoutFaults(w), std::vector<std::string>{});
  pumpFor(forms, 200ms);
  RedrawWindow(w.hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(saveWindowBitmap(w.hwnd(), screenshotFolder() + "\\options.bmp"));
}

TEST_F(OptionsWindowTest, EachBoxIsStoredAtOnceAndClosingStoresNothingMore) {
  open();
  for (const char* box : {"chkMin", "chkSplash", "chkNoShow", "chkAlwaysExit"}) {
    click(box);
    EXPECT_EQ(machineValue(kSection, box), "1") << box;
    EXPECT_EQ(registry.written.back(), box);
  }
  click("chkMin");
  EXPECT_EQ(machineValue(kSection, "chkMin"), "0");
  // The hidden boxes, set as the load sets them.
  window->control<gui::CheckBox>("chkLog").setValue(1);
  window->control<gui::CheckBox>("chkAuth").setValue(1);
  EXPECT_EQ(machineValue(kSection, "chkLog"), "1");
  EXPECT_EQ(machineValue(kSection, "chkAuth"), "1");
  const auto before = registry.written;
  close();
  EXPECT_FALSE(window->loaded());
  EXPECT_EQ(registry.written, before);
  EXPECT_TRUE(dialogs.shown.empty());

  // The next opening shows what was stored, and stores the selected boxes back unchanged.
  registry.written.clear();
  open();
  EXPECT_EQ(checked("chkMin"), 0);
  EXPECT_EQ(checked("chkSplash"), 1);
  EXPECT_EQ(checked("chkLog"), 1);
  EXPECT_EQ(registry.written, (std::vector<std::string>{"chkAuth", "chkNoShow", "chkAlwaysExit",
                                                        "chkSplash", "chkLog"}));
}

TEST_F(OptionsWindowTest, PasswordsAreStoredScrambledAndReadBack) {
  open();
  for (const char* field : {"txtPassword2", "txtFTPPassword"}) {
    type(field, "abc");
    EXPECT_EQ(machineValue(kSection, field), "\xE1\xE2\xE3") << field;  // 225, 226, 227
  }
  close();
  open();
  EXPECT_EQ(window->control("txtPassword2").caption(), "abc");
  EXPECT_EQ(window->control("txtFTPPassword").caption(), "abc");
}

TEST_F(OptionsWindowTest, FieldsAreStoredAtEachKeystrokeUnderTheirWrittenSpelling) {
  const struct {
    const char* field;
    const char* storedAs;
  } cases[] = {
      {"txtPort", "txtport"}, {"txtFTPFolder", "txtFTPfolder"}, {"txtFTPHost", "txtFTPHost"}};
  open();
  for (const auto& c : cases) {
    SetWindowTextW(hwnd(c.field), L"");
    type(c.field, "4");
    EXPECT_EQ(machineValue(kSection, c.field), "4") << c.field;
    type(c.field, "7");
    EXPECT_EQ(machineValue(kSection, c.field), "47") << c.field;
  }
  std::vector<std::string> names = valueNames(kSection);
  for (const auto& c : cases) {
    EXPECT_NE(std::find(names.begin(), names.end(), c.storedAs), names.end()) << c.storedAs;
  }
  close();
  registry.written.clear();
  open();
  for (const auto& c : cases) EXPECT_EQ(window->control(c.field).caption(), "47") << c.field;
  // Texts that differ from the design are saved back by the load, in its order.
  EXPECT_EQ(registry.written, (std::vector<std::string>{"txtport", "txtFTPfolder", "txtFTPHost"}));
}

TEST_F(OptionsWindowTest, AStoredChoiceReRegistersTheProgramWhereItNowRuns) {
  saveRunChoice("1");
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRun, kRunEntry, REG_SZ, "C:\\Old\\Quenmark.exe", 20);
  open();
  EXPECT_EQ(checked("chkRunAtStart"), 1);
  // The test program's own file as Windows reports it: a build path without spaces.
  const std::string self = win32::runningModulePath();
  ASSERT_EQ(self.find(' '), std::string::npos);
  EXPECT_EQ(machineValue(kRun, kRunEntry), self);
  EXPECT_EQ(machineValue(kRunSection, "chkRunAtStart"), "1");
}

TEST_F(OptionsWindowTest, TickingWritesTheRunCommandAndClearingRemovesIt) {
  const struct {
    const char* modulePath;
    const char* command;
  } cases[] = {
      {"C:\\Program Files\\Quenmark Tools\\Quenmark.exe",
       "\"C:\\Program Files\\Quenmark Tools\\Quenmark.exe\""},
      {"C:\\x.exe.d\\Quenmark.exe", "C:\\x.exe.d\\Quenmark"},
  };
  for (const auto& c : cases) {
    open(c.modulePath);
    click("chkRunAtStart");
    EXPECT_EQ(machineValue(kRun, kRunEntry), c.command);
    EXPECT_EQ(machineValue(kRunSection, "chkRunAtStart"), "1");
    click("chkRunAtStart");
    EXPECT_EQ(machineValue(kRun, kRunEntry), "<missing>");
    EXPECT_EQ(machineValue(kRunSection, "chkRunAtStart"), "0");
    EXPECT_EQ(machineValue(kSection, "chkRunAtStart"), "<missing>") << "its own section only";
    close();
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsWindowTest, AFailedMachineWriteWarnsOnceAndWritesNoRunValue) {
  open();
  registry.denyMachine = true;
  dialogs.answer(MsgResult::Abort);
  click("chkRunAtStart");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Permission Denied");
  EXPECT_EQ(machineValue(kRun, kRunEntry), "<missing>");
  EXPECT_EQ(checked("chkRunAtStart"), 1) << "the box stays as the user set it";
}

TEST_F(OptionsWindowTest, BrowsePutsTheChosenFolderIntoTheLanFolder) {
  frmOptions& w = open();
  dialogs.answerFolder(std::nullopt);
  dialogs.answerFolder("D:\\Backups");
  w.control<gui::CommandButton>("cmdBrowse").click();
  EXPECT_EQ(machineValue(kSection, "txtLanFolder"), "<missing>") << "cancelled: nothing changes";
  w.control<gui::CommandButton>("cmdBrowse").click();
  EXPECT_EQ(w.control("txtLanFolder").caption(), "D:\\Backups");
  EXPECT_EQ(machineValue(kSection, "txtLanFolder"), "D:\\Backups");
  ASSERT_EQ(dialogs.browseOwners.size(), 2u);
  EXPECT_EQ(dialogs.browseOwners[1], reinterpret_cast<WindowHandle>(w.hwnd()));
}

TEST_F(OptionsWindowTest, TranslatesItselfAndItsTemplateAgreesWithTheShippedFile) {
  fs.addDirectory("C:\\Quenmark");
  fs.addFile("C:\\Quenmark\\Localization.xml", shippedLocalization());
  language = "Deutsch";
  frmOptions& w = open();
  EXPECT_EQ(w.caption(), "Allgemeine Einstellungen");
  EXPECT_EQ(w.control("chkMin").caption(), "Minimiert im Infobereich \u00f6ffnen");

  auto optionsLines = [](const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string& l :
         readTranslationLines(text, "English").value_or(std::vector<std::string>{})) {
      if (l.rfind("\t\t<FRMOPTIONS_", 0) == 0) lines.push_back(l);
    }
    return lines;
  };
  language = "English";
  close();
  open();
  languages.makeLocalizationFile([&] { return std::vector<TranslatableWindow*>{window.get()}; },
                                 {});
  const auto written = optionsLines(fs.contents("C:\\Quenmark\\Localization.txt"));
  EXPECT_EQ(written.size(), 37u);
  EXPECT_EQ(written, optionsLines(shippedLocalization()));
}

// The main window's General Preferences opens the window modeless; choosing it again brings
// the open one forward.
TEST_F(MainWindowTest, GeneralPreferencesOpensTheOptionsModeless) {
  frmMain& mainWindow = load();
  frmOptions options(forms, win32::optionsContext(app));
  windows.options = [&] { options.open(); };
  chooseMenu("mnuFileItem", 4);
  ASSERT_TRUE(options.visible());
  EXPECT_TRUE(IsWindowEnabled(mainWindow.hwnd()));
  mainWindow.activate();
  chooseMenu("mnuFileItem", 4);
  EXPECT_EQ(GetForegroundWindow(), options.hwnd());
  exitProgram();
  EXPECT_FALSE(options.loaded());
}

}  // namespace
}  // namespace quenmark::testing
