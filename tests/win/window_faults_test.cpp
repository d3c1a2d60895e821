#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/program_win32.h"
#include "base/product_identity.h"
#include "base/text.h"
#include "core/i18n/default_messages.h"
#include "core/i18n/language_download.h"
#include "core/i18n/localization_file.h"
#include "core/schedule/schedule_file.h"
#include "core/settings/add_remove.h"
#include "core/settings/run_at_start.h"
#include "support/fake_event_log.h"
#include "support/fake_file_system.h"
#include "support/fake_http.h"
#include "support/fault_tally.h"
#include "support/main_window_fixture_win32.h"

// Fault injection through the windows: a scenario runs once to count the calls it makes to
// the file system, the registry and the Internet; then, for every n, it runs again in a fresh
// program with call n failing, and the outcome is checked. Nothing may escape as an error,
// no schedule file may change but as the scenario intends, and a message appears only where
// the program has one for the failure.
namespace quenmark::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Files = std::map<std::string, std::string>;
using Values = std::map<std::string, std::pair<std::uint32_t, std::string>>;

const std::string kProgram = "C:\\Quenmark";
const SysError kDenied{5, "Access is denied."};
constexpr RegStatus kRegDenied = 5;
const std::string kDeniedText = "Error 5 - Access is denied.";

std::string scheduleText(const std::string& type, const std::string& date) {
  ScheduleRecord r;
  r.ItemType = type;
  r.Enabled = true;
  r.StartDate = date;
  r.StartTime = "09:15:00";
  return scheduleFileText(r);
}

// The program folder in memory: three schedules and the shipped translations.
FakeFileSystem programFolder() {
  FakeFileSystem fs;
  fs.addDirectory(kProgram);
  fs.addDirectory(kProgram + "\\data");
  fs.addFile(kProgram + "\\Localization.xml", shippedLocalization());
  fs.addFile(scheduleFilePath(kProgram, "Morning"), scheduleText("Reboot", "3/20/2025"));
  fs.addFile(scheduleFilePath(kProgram, "Night"), scheduleText("Shut Down", "3/21/2025"));
  fs.addFile(scheduleFilePath(kProgram, "Weekend"), scheduleText("Log Off", "3/22/2025"));
  return fs;
}

// A user who chose English and has seen the help.
FakeRegistry userSettings() {
  FakeRegistry r;
  const std::string user = userSettingsPath("Tarvossa", "Quenmark", kSettingsSection);
  r.putString(reg::kHkeyCurrentUser, user, "Language", "English");
  r.putString(reg::kHkeyCurrentUser, user, "showHelp", "0");
  return r;
}

// "op name": the call with its file or value name, without the folders.
std::string callName(const std::string& call) {
  const std::size_t space = call.find(' ');
  return call.substr(0, space) + " " + TrimPath(call.substr(space + 1));
}
std::string callName(const FakeRegistry::Call& c) {
  return c.op + " " + (c.name.empty() ? TrimPath(c.target) : c.name);
}

// Each value ends as one of the steps of the scenario left it without faults: a failure may
// keep a change from happening, never make another.
void expectEachValueAsAStepLeftIt(const Values& now, const std::vector<Values>& steps) {
  std::set<std::string> names;
  for (const Values& step : steps)
    for (const auto& [name, value] : step) names.insert(name);
  for (const auto& [name, value] : now) EXPECT_TRUE(names.count(name)) << "new value " << name;
  for (const std::string& name : names) {
    const auto n = now.find(name);
    const bool asAStep = std::any_of(steps.begin(), steps.end(), [&](const Values& step) {
      const auto s = step.find(name);
      return n == now.end() ? s == step.end() : s != step.end() && s->second == n->second;
    });
    EXPECT_TRUE(asAStep) << name;
  }
}

std::vector<std::string> texts(const FakeDialogs& dialogs) {
  std::vector<std::string> out;
  for (const auto& s : dialogs.shown) out.push_back(s.text);
  return out;
}

// ---- the main window ---------------------------------------------------------------------

// The program with its main window, on fakes only, made afresh for each run.
struct MainProgram {
  MainProgram(const FakeFileSystem& files, const FakeRegistry& stored)
      : fs(files), registry(stored) {
    forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
    InitProductIdentity(app.identity, version);
    windows.language = [this](bool) { opened.push_back("language window"); };
    windows.helpLauncher = [this] { opened.push_back("help"); };
  }
  ~MainProgram() {
    if (main && main->loaded()) main->exitProgram();
  }
  void start() {
    main = std::make_unique<frmMain>(forms, win32::mainWindowContext(app), windows, guard);
    main->load();
    if (main->loaded()) main->show();
  }
  gui::ListView& list() const { return main->control<gui::ListView>("lstSchedules"); }
  Rows rows() const {
    Rows out;
    for (int r = 0; r < list().itemCount(); ++r) {
      out.emplace_back();
      for (int c = 0; c < 5; ++c) out.back().push_back(list().itemText(r, c));
    }
    return out;
  }
  int rowOf(const std::string& name) const {
    for (int r = 0; r < list().itemCount(); ++r)
      if (list().itemText(r, 0) == name) return r;
    return -1;
  }
  // A mouse click on the row, as the user makes it.
  void clickRow(int row) const {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageW(list().hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(list().hwnd(), WM_LBUTTONUP, 0, at);
    SendMessageW(list().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  }

  FakeFileSystem fs;
  win32::AnsiCodec codec;
  FakeClock clock{at(2025, 3, 14, 10, 0, 30)};
  FakeRegional regional;
  FakeDialogs dialogs;
  FakeRegistry registry;
  FakePowerApi power;
  FakeShell shell;
  FakeVersionInfo version{
      {{"ProductName", "Quenmark"}, {"CompanyName", "Tarvossa"}, {"Comments", "quenmark.example"}}};
  FakeEventLog events;
  FakeMeters meters;
  AppContext app{{fs, codec, clock, regional, dialogs, registry, power, shell, version, events,
                  meters},
                 kProgram};
  TestInstanceGuard guard;
  AppWindows windows;
  gui::Forms forms;
  std::vector<std::string> errors;
  std::vector<std::string> opened;
  std::unique_ptr<frmMain> main;
};

// A row as the list shows a file it could not read: its name, nothing else.
std::vector<std::string> nameOnly(const std::string& name) { return {name, "", "", "", "No"}; }

// The list after a failed call: all of `full`, none when the data folder's search failed, or
// one row by name only when its file could not be read.
Rows expectedRows(const std::string& failed, Rows full) {
  if (failed.rfind("find ", 0) == 0 && failed.find("\\data\\*.sch") != std::string::npos) return {};
  if (failed.rfind("readFile ", 0) == 0) {
    for (auto& row : full)
      if (failed.find("\\data\\" + row[0] + ".sch") != std::string::npos) row = nameOnly(row[0]);
  }
  return full;
}

// Start and exit: the program folder is searched and read, the settings read and the column
// widths stored. No failure is worth a message here: the list shows what could be read.
TEST(WindowFaults, StartingAndEndingTheProgramLosesNoScheduleAndSaysNothing) {
  const FakeFileSystem folder = programFolder();
  const FakeRegistry settings = userSettings();
  std::size_t fileCalls = 0, registryCalls = 0;
  Rows full;
  Values after;
  {
    MainProgram dry(folder, settings);
    dry.start();
    full = dry.rows();
    dry.main->exitProgram();
    fileCalls = dry.fs.calls.size();
    registryCalls = dry.registry.calls.size();
    after = dry.registry.values();
    ASSERT_EQ(full.size(), 3u);
    ASSERT_TRUE(dry.errors.empty());
  }
  FaultTally tally("main window: start and exit");
  for (std::size_t n = 1; n <= fileCalls + registryCalls; ++n) {
    MainProgram p(folder, settings);
    const bool fileCall = n <= fileCalls;
    if (fileCall) {
      p.fs.failCall(n, kDenied);
    } else {
      p.registry.failCall(n - fileCalls, kRegDenied);
    }
    p.start();
    const Rows rows = p.rows();
    p.main->exitProgram();
    const std::string failed =
        fileCall ? p.fs.calls.at(n - 1) : callName(p.registry.calls.at(n - fileCalls - 1));
    SCOPED_TRACE(failed);
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();
    EXPECT_TRUE(p.dialogs.shown.empty()) << p.dialogs.shown.front().text;
    EXPECT_EQ(p.fs.files(), folder.files());
    EXPECT_EQ(rows, fileCall ? expectedRows(failed, full) : full);
    expectEachValueAsAStepLeftIt(p.registry.values(), {settings.values(), after});
    std::string outcome = rows == full   ? "all listed"
                          : rows.empty() ? "empty list"
                                         : "one listed by name only";
    for (const std::string& o : p.opened) outcome += ", " + o + " opened (defaults read)";
    tally.note(fileCall ? callName(failed) : failed, outcome);
  }
}

// Click a schedule, Delete, Yes. A delete that fails says why; the list shows what is on disk.
TEST(WindowFaults, AFailedDeleteSaysWhyAndKeepsTheSchedule) {
  const FakeFileSystem folder = programFolder();
  const FakeRegistry settings = userSettings();
  const std::string night = scheduleFilePath(kProgram, "Night");
  Files deleted = folder.files();
  deleted.erase(night);
  const std::string question = "Are you sure you want to delete the selected item?";

  std::size_t first = 0, clicked = 0, last = 0;
  Rows full;
  {
    MainProgram dry(folder, settings);
    dry.start();
    full = dry.rows();
    first = dry.fs.calls.size() + 1;
    const std::size_t registryCalls = dry.registry.calls.size();
    dry.clickRow(dry.rowOf("Night"));
    clicked = dry.fs.calls.size();
    dry.main->control<gui::CommandButton>("cmdDelete").click();
    last = dry.fs.calls.size();
    ASSERT_EQ(dry.fs.files(), deleted);
    ASSERT_EQ(texts(dry.dialogs), std::vector<std::string>{question});
    // Only whether an administrator locked the schedules is asked, no setting.
    std::vector<std::string> asked;
    for (std::size_t i = registryCalls; i < dry.registry.calls.size(); ++i) {
      asked.push_back(dry.registry.calls[i].op + " " + dry.registry.calls[i].target);
    }
    ASSERT_EQ(asked, std::vector<std::string>{
                         "openKeyEx HKLM\\SOFTWARE\\Policies\\Tarvossa\\Quenmark"});
  }
  Rows without = full;
  std::erase_if(without, [](const auto& row) { return row[0] == "Night"; });

  FaultTally tally("main window: delete a schedule");
  for (std::size_t n = first; n <= last; ++n) {
    MainProgram p(folder, settings);
    p.start();
    p.fs.failCall(n, kDenied);
    p.clickRow(p.rowOf("Night"));
    p.main->control<gui::CommandButton>("cmdDelete").click();
    const std::string failed = p.fs.calls.at(n - 1);
    const bool inClick = n <= clicked;
    SCOPED_TRACE(failed);
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();

    // Only the delete itself, or the search that finds the file to delete, keeps it.
    const bool keeps =
        !inClick && (failed.rfind("deleteFile", 0) == 0 || failed == "find " + night);
    EXPECT_EQ(p.fs.files(), keeps ? folder.files() : deleted);
    // The click reads the file for Edit, and a delete that fails is reported.
    const bool told = (inClick && failed == "readFile " + night) || failed == "deleteFile " + night;
    std::vector<std::string> shown = inClick && told
                                         ? std::vector<std::string>{kDeniedText, question}
                                         : std::vector<std::string>{question};
    if (!inClick && told) shown.push_back(kDeniedText);
    EXPECT_EQ(texts(p.dialogs), shown);
    EXPECT_EQ(p.rows(), inClick ? without : expectedRows(failed, keeps ? full : without));
    tally.note(std::string(inClick ? "click: " : "delete: ") + callName(failed),
               std::string(keeps ? "kept" : "deleted") + (told ? ", \"" + kDeniedText + "\"" : ""));
  }
}

// ---- the options window ------------------------------------------------------------------

// The options window on a registry in memory, made afresh for each run.
struct OptionsProgram {
  explicit OptionsProgram(const FakeRegistry& stored) : registry(stored) {
    forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    SetDefaultMessages(languages);
  }
  void set(const char* box, int value) {
    if (window->control<gui::CheckBox>(box).value() != value)
      SendMessageW(window->control(box).hwnd(), BM_CLICK, 0, 0);
  }

  FakeRegistry registry;
  FakeDialogs dialogs;
  win32::AnsiCodec codec;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  FakeFileSystem fs;
  std::string language = "English";
  clsLanguages languages{fs, codec, kProgram, identity, language};
  gui::Forms forms;
  std::vector<std::string> errors;
  std::unique_ptr<frmOptions> window;
};

// Open the options (stored: start minimised, run at start from an older place), tick "Don't
// show a reminder", clear "Run at Windows Startup", close. A failed write offers the
// permission warning (Abort here); a failed read shows the default and says nothing.
TEST(WindowFaults, TheOptionsWarnOfAFailedWriteAndOtherwiseShowDefaults) {
  FakeRegistry settings = userSettings();
  const std::string machine = machineSettingsPath("Tarvossa", "Quenmark", kSettingsSection);
  settings.putString(reg::kHkeyLocalMachine, machine, "chkMin", "1");
  settings.putString(reg::kHkeyLocalMachine,
                     machineSettingsPath("Tarvossa", runEntryName("Quenmark"), kSettingsSection),
                     "chkRunAtStart", "1");
  settings.putString(reg::kHkeyLocalMachine, kRunKeyPath, "Quenmark-1", "C:\\Old\\Quenmark.exe");
  const std::vector<std::function<void(OptionsProgram&)>> steps = {
      [](OptionsProgram& p) {
        p.window = std::make_unique<frmOptions>(
            p.forms, OptionsContext{p.options, p.registry, p.dialogs, p.codec, p.languages,
                                    "C:\\Tools\\Quenmark.exe"});
        p.window->open();
      },
      [](OptionsProgram& p) { p.set("chkNoShow", 1); },
      [](OptionsProgram& p) { p.set("chkRunAtStart", 0); },
      [](OptionsProgram& p) { SendMessageW(p.window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  std::vector<Values> snapshots{settings.values()};
  std::size_t calls = 0;
  {
    OptionsProgram dry(settings);
    for (const auto& step : steps) {
      step(dry);
      snapshots.push_back(dry.registry.values());
    }
    calls = dry.registry.calls.size();
    ASSERT_TRUE(dry.dialogs.shown.empty());
    ASSERT_FALSE(dry.registry.text(reg::kHkeyLocalMachine, kRunKeyPath, "Quenmark-1"));
    ASSERT_EQ(dry.registry.text(reg::kHkeyLocalMachine, machine, "chkNoShow"), "1");
  }
  FaultTally tally("options window: open, tick, clear, close");
  for (std::size_t n = 1; n <= calls; ++n) {
    OptionsProgram p(settings);
    p.registry.failCall(n, kRegDenied);
    for (const auto& step : steps) step(p);
    const FakeRegistry::Call& failed = p.registry.calls.at(n - 1);
    SCOPED_TRACE(callName(failed) + " on " + failed.target);
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();
    const bool write = failed.op == "createKeyEx" || failed.op == "createKey" ||
                       failed.op == "setValue" || failed.op == "openKey" ||
                       failed.op == "deleteValue";
    EXPECT_EQ(texts(p.dialogs), write ? std::vector<std::string>{permissionWarningText("Quenmark")}
                                      : std::vector<std::string>{});
    expectEachValueAsAStepLeftIt(p.registry.values(), snapshots);
    std::string outcome = write ? "permission warning, change not made" : "silent";
    if (p.registry.values() == snapshots.back()) outcome += ", every value as intended";
    tally.note(callName(failed), outcome);
  }
}

// ---- the language download ---------------------------------------------------------------

// The language window with a server in memory, made afresh for each run.
struct LanguageProgram {
  LanguageProgram(const FakeFileSystem& files, const FakeRegistry& stored, std::string body)
      : fs(files), registry(stored) {
    forms.setErrorHandler([this](const std::string& e) { errors.push_back(e); });
    http.body = std::move(body);
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    identity.Website = "quenmark.example";
    identity.ProductNumber = 25;
    SetDefaultMessages(languages);
  }
  void run() {
    window = std::make_unique<frmLanguage>(forms, LanguageWindowContext{fs,
                                                                        dialogs,
                                                                        shell,
                                                                        http,
                                                                        options,
                                                                        languages,
                                                                        identity,
                                                                        kProgram,
                                                                        nullptr,
                                                                        {}});
    window->open(false);
    window->control<gui::CommandButton>("Command1").click();
    window->control<gui::CommandButton>("Command2").click();
  }

  FakeFileSystem fs;
  FakeRegistry registry;
  FakeHttp http;
  FakeDialogs dialogs;
  FakeShell shell;
  win32::AnsiCodec codec;
  ProductIdentity identity;
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
  std::string language = "English";
  clsLanguages languages{fs, codec, kProgram, identity, language};
  gui::Forms forms;
  std::vector<std::string> errors;
  std::unique_ptr<frmLanguage> window;
};

// "Check for language updates": a failure before the file arrives is silent and keeps the
// old file; one while storing it says so and keeps the old file; any other leaves the new one.
TEST(WindowFaults, TheLanguageDownloadKeepsTheOldFileUnlessTheNewOneIsStoredWhole) {
  const FakeFileSystem folder = programFolder();
  const FakeRegistry settings = userSettings();
  std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n";
  body += "<LANGUAGE_GROUP>\r\n\t<LANGUAGE_NAME>Suomi</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n";
  for (int i = 0; i < 10; ++i)
    body += "\t\t<MSG_X" + std::to_string(i) + ">Teksti</MSG_X" + std::to_string(i) + ">\r\n";
  body += "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>";
  const std::string path = localizationFilePath(kProgram);
  Files stored = folder.files();
  stored[path] = body + "\r\n";
  const std::string downloaded =
      "The most recent language file has been downloaded.  Please check for new languages.";

  std::size_t fileCalls = 0, registryCalls = 0, httpCalls = 0;
  {
    LanguageProgram dry(folder, settings, body);
    dry.run();
    fileCalls = dry.fs.calls.size();
    registryCalls = dry.registry.calls.size();
    httpCalls = static_cast<std::size_t>(dry.http.made);
    ASSERT_EQ(dry.fs.files(), stored);
    ASSERT_EQ(texts(dry.dialogs), std::vector<std::string>{downloaded});
    ASSERT_GE(httpCalls, 4u) << "open, open the address, read in pieces";
  }
  FaultTally tally("language window: check for language updates");
  for (std::size_t n = 1; n <= fileCalls + registryCalls + httpCalls; ++n) {
    LanguageProgram p(folder, settings, body);
    std::string failed;
    if (n <= fileCalls) {
      p.fs.failCall(n, kDenied);
    } else if (n <= fileCalls + registryCalls) {
      p.registry.failCall(n - fileCalls, kRegDenied);
    } else {
      p.http.failCall = static_cast<int>(n - fileCalls - registryCalls);
    }
    p.run();
    if (n <= fileCalls) {
      failed = callName(p.fs.calls.at(n - 1));
    } else if (n <= fileCalls + registryCalls) {
      failed = callName(p.registry.calls.at(n - fileCalls - 1));
    } else {
      // The n-th call to the server, its handles' closing left out.
      std::size_t k = n - fileCalls - registryCalls;
      for (const std::string& c : p.http.calls) {
        if (c.rfind("close", 0) != 0 && --k == 0) {
          failed = "http " + c.substr(0, c.find(' '));
          break;
        }
      }
    }
    SCOPED_TRACE(failed);
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();
    const bool fetchFailed = n > fileCalls + registryCalls;
    const bool storeFailed = failed.rfind("replaceFile", 0) == 0;
    EXPECT_EQ(p.fs.files(), fetchFailed || storeFailed ? folder.files() : stored);
    EXPECT_EQ(texts(p.dialogs),
              fetchFailed
                  ? std::vector<std::string>{}
                  : std::vector<std::string>{
                        storeFailed ? std::string(frmLanguage::kNotWritableMessage) : downloaded});
    tally.note(failed, fetchFailed   ? "old file kept, silent"
                       : storeFailed ? "old file kept, \"could not be saved\" shown"
                                     : "new file stored, \"downloaded\" shown");
  }
}

}  // namespace
}  // namespace quenmark::testing
