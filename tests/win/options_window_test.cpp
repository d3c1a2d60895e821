#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program_win32.h"
#include "core/i18n/default_messages.h"
#include "core/i18n/localization_file.h"
#include "windows/options_window.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/gui_pump_win32.h"
#include "support/layout_check_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

// A company and product of the tests' own: their keys go before and after each test.
constexpr char kSection[] = "SOFTWARE\\TarvossaOptTest\\QuenmarkOptTest\\Settings";
constexpr char kRunSection[] = "SOFTWARE\\TarvossaOptTest\\QuenmarkOptTest-1\\Settings";
constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunEntry[] = "QuenmarkOptTest-1";

// The real registry, noting each value stored (its name as passed) or deleted ("-name"), and
// refusing, when told, to create keys under HKEY_LOCAL_MACHINE, as for a limited account.
class WatchedRegistry : public win32::Win32Registry {
 public:
  bool denyMachine = false;
  Names written;

  RegStatus createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                        RegKey& key) override {
    return refused(root) ? reg::kErrorAccessDenied
                         : Win32Registry::createKeyEx(root, path, access, key);
  }
  RegStatus createKey(RegKey root, const std::string& path, RegKey& key) override {
    return refused(root) ? reg::kErrorAccessDenied : Win32Registry::createKey(root, path, key);
  }
  RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type,
                     std::string_view data) override {
    written.push_back(name);
    return Win32Registry::setValue(key, name, type, data);
  }
  RegStatus deleteValue(RegKey key, const std::string& name) override {
    written.push_back("-" + name);
    return Win32Registry::deleteValue(key, name);
  }

 private:
  bool refused(RegKey root) const { return denyMachine && root == reg::kHkeyLocalMachine; }
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

// The window is made here rather than by the program: its product name is the test's own, so
// that the real registry it writes is the test's (ReopenTest drives the program's wiring).
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
        forms, OptionsContext{options, registry, dialogs, codec, languages, modulePath});
    window->open();
    return *window;
  }
  // Closed and opened again, the same window as the program keeps it.
  void reopen() {
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(window->loaded());
    registry.written.clear();
    window->open();
  }
  HWND hwnd(const char* name) const { return window->control(name).hwnd(); }
  std::string text(const char* name) const { return window->control(name).caption(); }
  int checked(const char* name) const { return window->control<gui::CheckBox>(name).value(); }
  void click(const char* name) { SendMessageW(hwnd(name), BM_CLICK, 0, 0); }

  WatchedRegistry registry;
  FakeDialogs dialogs;
  win32::AnsiCodec codec;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  FakeFileSystem fs;
  std::string language = "English";
  clsLanguages languages{fs, codec, "C:\\Quenmark", identity, language};
  gui::Forms forms;
  std::unique_ptr<frmOptions> window;
};

TEST_F(OptionsWindowTest, OpensOnACleanMachineWithEveryBoxClearAndWritesNothing) {
  frmOptions& w = open();
  EXPECT_EQ(w.caption(), "General Preferences");
  for (const char* box : {"chkRunAtStart", "chkMin", "chkSplash", "chkNoShow", "chkAlwaysExit",
                          "chkWake", "chkWarn"}) {
    EXPECT_TRUE(IsWindowVisible(hwnd(box)) && checked(box) == 0) << box;
  }
  for (const char* hidden : {"chkLog", "Frame3", "Frame4", "Frame5", "lblWakeBlocked"}) {
    EXPECT_FALSE(IsWindowVisible(hwnd(hidden))) << hidden;
  }
  EXPECT_EQ(w.scaleWidth(), 10305);
  EXPECT_EQ(w.scaleHeight(), 3330) << "no line under the wake box, and no room for it";
  EXPECT_EQ(registry.written, Names{});
  EXPECT_EQ(machineValue(kRun, kRunEntry), "<missing>");

  // A picture for review, and what a look at it would check.
  EXPECT_EQ(layoutFaults(w), Names{});
  pumpFor(forms, 200ms);
  RedrawWindow(w.hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(saveWindowBitmap(w.hwnd(), screenshotFolder() + "\\options.bmp"));
}

// Values of other types than REG_SZ where the options are kept (a bad input of the
// reliability catalogue): the window shows each default, writes nothing back and says nothing,
// and the values stay as they were.
TEST_F(OptionsWindowTest, ValuesOfTheWrongTypeShowTheDefaultsAndStayUntouched) {
  const DWORD one = 1;
  for (const char* box : {"chkMin", "chkNoShow", "chkAlwaysExit"})
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSection, box, REG_DWORD, &one, sizeof one);
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRunSection, "chkRunAtStart", REG_DWORD, &one, sizeof one);
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSection, "txtPort", REG_BINARY, "\x01\xff", 2);
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSection, "txtEmailFrom", REG_MULTI_SZ, "a\0b\0", 5);
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSection, "txtFTPFolder", REG_EXPAND_SZ, "%TEMP%", 7);
  open();
  for (const char* box : {"chkRunAtStart", "chkMin", "chkNoShow", "chkAlwaysExit"})
    EXPECT_EQ(checked(box), 0) << box;
  EXPECT_EQ(text("txtPort"), "25");
  EXPECT_EQ(text("txtEmailFrom"), settingDef(Setting::txtEmailFrom).initial);
  EXPECT_EQ(text("txtFTPFolder"), "/");
  EXPECT_EQ(registry.written, Names{});
  EXPECT_TRUE(dialogs.shown.empty());
  DWORD type = 0;
  RegGetValueA(HKEY_LOCAL_MACHINE, kSection, "chkMin", RRF_RT_ANY, &type, nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(machineValue(kRun, kRunEntry), "<missing>");
}

TEST_F(OptionsWindowTest, EachBoxIsStoredAtOnceAndClosingStoresNothingMore) {
  open();
  const std::pair<const char*, const char*> clicks[] = {{"chkMin", "1"},
                                                        {"chkSplash", "1"},
                                                        {"chkNoShow", "1"},
                                                        {"chkAlwaysExit", "1"},
                                                        {"chkMin", "0"}};
  for (auto [box, stored] : clicks) {
    click(box);
    EXPECT_EQ(machineValue(kSection, box), stored) << box;
  }
  // The hidden boxes, set as the load sets them.
  window->control<gui::CheckBox>("chkLog").setValue(1);
  window->control<gui::CheckBox>("chkAuth").setValue(1);
  EXPECT_EQ(registry.written, (Names{"chkMin", "chkSplash", "chkNoShow", "chkAlwaysExit", "chkMin",
                                     "chkLog", "chkAuth"}));
  reopen();
  EXPECT_EQ(checked("chkMin"), 0);
  EXPECT_EQ(checked("chkSplash"), 1);
  // Closing stored nothing; the load stores each selected box back, in its order.
  EXPECT_EQ(registry.written,
            (Names{"chkAuth", "chkNoShow", "chkAlwaysExit", "chkSplash", "chkLog"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

// Waking and warning: stored at once like the others, and the scheduler is told each time.
// Where the power plan keeps timers from waking the computer, a line under the box says so.
TEST_F(OptionsWindowTest, WakeAndWarnAreStoredAtOnceAndTheBlockedWakeIsSaid) {
  Names told;
  std::optional<bool> allowed = false;
  // What every listener of the settings is told, the schedule service among them.
  options.listen([&](Setting s, const std::string& value) {
    told.push_back(std::string(settingDef(s).key) + "=" + value);
  });
  window = std::make_unique<frmOptions>(
      forms, OptionsContext{options, registry, dialogs, codec, languages,
                            win32::runningModulePath(), {}, [&] { return allowed; }});
  window->open();
  EXPECT_TRUE(IsWindowVisible(hwnd("lblWakeBlocked")));
  EXPECT_EQ(window->scaleHeight(), 3630);
  EXPECT_EQ(text("lblWakeBlocked"), "Wake timers are turned off in this computer's power plan.");
  EXPECT_EQ(layoutFaults(*window), Names{});
  pumpFor(forms, 200ms);
  RedrawWindow(window->hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(saveWindowBitmap(window->hwnd(), screenshotFolder() + "\\options-wake-blocked.bmp"));

  click("chkWake");
  EXPECT_EQ(machineValue(kSection, "chkWake"), "1");
  click("chkWarn");
  EXPECT_EQ(machineValue(kSection, "chkWarn"), "1");
  EXPECT_EQ(told, (Names{"chkWake=1", "chkWarn=1"}));
  // Where storing is refused and the user ignores the warning, the box keeps the new value
  // for this run and so do the listeners (the scheduler) and the window opened again; the
  // stored one stays for the next start.
  registry.denyMachine = true;
  dialogs.answer(MsgResult::Ignore);
  click("chkWarn");
  EXPECT_EQ(checked("chkWarn"), 0);
  EXPECT_EQ(told.back(), "chkWarn=0");
  EXPECT_EQ(machineValue(kSection, "chkWarn"), "1");
  registry.denyMachine = false;

  for (std::optional<bool> answer : {std::optional<bool>(true), std::optional<bool>()}) {
    allowed = answer;
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    window->open();
    EXPECT_FALSE(IsWindowVisible(hwnd("lblWakeBlocked"))) << "allowed, or the system cannot say";
    EXPECT_EQ(window->scaleHeight(), 3330);
    EXPECT_EQ(checked("chkWake"), 1);
    EXPECT_EQ(checked("chkWarn"), 0);
  }
}

TEST_F(OptionsWindowTest, TextFieldsAreStoredAtEachKeystrokeAndReadBack) {
  const struct {
    const char* field;
    const char* typed;
    const char* storedAs;
    const char* stored;  // as the ANSI functions read it
  } cases[] = {
      {"txtPort", "47", "txtport", "47"},
      {"txtFTPFolder", "47", "txtFTPfolder", "47"},
      {"txtPassword2", "abc", "txtPassword2", "\xE1\xE2\xE3"},  // 225, 226, 227
      {"txtFTPPassword", "abc", "txtFTPPassword", "\xE1\xE2\xE3"},
  };
  open();
  for (const auto& c : cases) {
    SendMessageW(hwnd(c.field), EM_SETSEL, 0, -1);
    registry.written.clear();
    for (const char* k = c.typed; *k; ++k) SendMessageW(hwnd(c.field), WM_CHAR, *k, 1);
    EXPECT_EQ(registry.written, Names(std::string(c.typed).size(), c.storedAs)) << c.field;
    EXPECT_EQ(machineValue(kSection, c.field), c.stored) << c.field;
  }
  reopen();
  for (const auto& c : cases) EXPECT_EQ(text(c.field), c.typed) << c.field;
}

TEST_F(OptionsWindowTest, AStoredChoiceReRegistersTheProgramWhereItNowRuns) {
  store.SaveMachineSetting(kRunEntry, "Settings", "chkRunAtStart", "1");
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRun, kRunEntry, REG_SZ, "C:\\Old\\Quenmark.exe", 20);
  open();
  EXPECT_EQ(checked("chkRunAtStart"), 1);
  // The test program's own file as Windows reports it: a build path without spaces.
  const std::string self = win32::runningModulePath();
  ASSERT_EQ(self.find(' '), std::string::npos);
  EXPECT_EQ(machineValue(kRun, kRunEntry), self);
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
  auto& browse = w.control<gui::CommandButton>("cmdBrowse");
  browse.click();
  EXPECT_EQ(registry.written, Names{}) << "cancelled: nothing changes";
  browse.click();
  EXPECT_EQ(machineValue(kSection, "txtLanFolder"), "D:\\Backups");
  EXPECT_EQ(dialogs.browseOwners,
            (std::vector<WindowHandle>(2, reinterpret_cast<WindowHandle>(w.hwnd()))));
}

TEST_F(OptionsWindowTest, TranslatesItselfAndItsTemplateAgreesWithTheShippedFile) {
  fs.addDirectory("C:\\Quenmark");
  fs.addFile("C:\\Quenmark\\Localization.xml", shippedLocalization());
  language = "Deutsch";
  EXPECT_EQ(open().caption(), "Allgemeine Einstellungen");
  EXPECT_EQ(text("chkMin"), "Minimiert im Infobereich \u00f6ffnen");

  auto optionsLines = [](const std::string& file) {
    Names lines;
    for (const std::string& l : readTranslationLines(file, "English").value_or(Names{})) {
      if (l.rfind("\t\t<FRMOPTIONS_", 0) == 0) lines.push_back(l);
    }
    return lines;
  };
  language = "English";
  reopen();
  languages.makeLocalizationFile([&] { return std::vector<TranslatableWindow*>{window.get()}; },
                                 {});
  const Names written = optionsLines(fs.contents("C:\\Quenmark\\Localization.txt"));
  EXPECT_EQ(written.size(), 41u);
  EXPECT_EQ(written, optionsLines(shippedLocalization()));
}

// General Preferences opens the window modeless; choosing it again brings the open one forward.
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
