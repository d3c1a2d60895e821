#include <gtest/gtest.h>

#include "core/settings/options.h"
#include "core/settings/run_at_start.h"

#include "core/settings/add_remove.h"
#include "support/fake_dialogs.h"
#include "support/fake_registry.h"

namespace quenmark {
namespace {

TEST(RunAtStart, EntryNameIsTheProductWithMinusOne) {
  EXPECT_EQ(runEntryName("Quenmark"), "Quenmark-1");
}

TEST(RunAtStart, CommandFromTheModulePath) {
  const struct {
    const char* modulePath;
    const char* command;
  } cases[] = {
      {R"(C:\Tools\Quenmark\Quenmark.exe)", R"(C:\Tools\Quenmark\Quenmark.exe)"},
      // The letter case of the extension is Windows' own; ".exe" is then added.
      {R"(C:\TOOLS\QUENMARK.EXE)", R"(C:\TOOLS\QUENMARK.exe)"},
      // ".exe" in the folder name: nothing is added.
      {R"(C:\x.exe.d\Quenmark.exe)", R"(C:\x.exe.d\Quenmark)"},
      {R"(C:\X.EXE.D\Quenmark.exe)", R"(C:\X.EXE.D\Quenmark)"},
      // At the root of a drive the folder keeps its backslash.
      {R"(D:\Quenmark.exe)", R"(D:\\Quenmark.exe)"},
      {R"(\\server\share\Quenmark.exe)", R"(\\server\share\Quenmark.exe)"},
      // A space anywhere: quoted, so that C:\Program.exe cannot stand in for the program.
      {R"(C:\Program Files\Quenmark\Quenmark.exe)", R"("C:\Program Files\Quenmark\Quenmark.exe")"},
      {R"(C:\Tools\Quenmark 2.exe)", R"("C:\Tools\Quenmark 2.exe")"},
      {R"(C:\Q\quen.mark.exe)", R"(C:\Q\quen.mark.exe)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runAtStartCommand(c.modulePath), c.command) << c.modulePath;
  }
}

// A machine's registry and the settings store of program "Q" over it.
struct Machine {
  testing::FakeRegistry registry;
  testing::FakeDialogs dialogs;
  ProductIdentity identity = [] {
    ProductIdentity i;
    i.ProgramName = "Q";
    i.CompanyName = "Tarvossa";
    return i;
  }();
  SettingsStore store{registry, dialogs, identity, [] { return false; }};
  Options options{store, identity};
};

// The choice stored while the Run list refuses to follow it gets the permission warning, with
// Retry; a store refused first has warned already, so the Run list's failure says nothing more.
TEST(RunAtStart, ARunListThatRefusesTheStoredChoiceWarns) {
  const struct {
    const char* what;
    bool selected;
    std::vector<const char*> failing;  // one failure each
    std::vector<MsgResult> answers;
    int warnings;
    const char* runValue;  // afterwards; "" when absent
  } cases[] = {
      {"tick, Run list locked, Abort", true, {"createKey"}, {MsgResult::Abort}, 1, "C:\\Old.exe"},
      {"tick, Run list locked, Retry", true, {"createKey"}, {MsgResult::Retry}, 1, "C:\\Q\\Q.exe"},
      {"clear, Run list locked, Abort", false, {"openKey"}, {MsgResult::Abort}, 1, "C:\\Old.exe"},
      {"clear, value not deletable, Retry", false, {"deleteValue"}, {MsgResult::Retry}, 1, ""},
      {"tick, limited account", true, {"createKeyEx", "createKey"}, {}, 1, "C:\\Old.exe"},
      {"clear, nothing to remove", false, {}, {}, 0, ""},
  };
  for (const auto& c : cases) {
    Machine m;
    auto& [registry, dialogs, identity, store, options] = m;
    if (c.warnings > 0)
      registry.putString(reg::kHkeyLocalMachine, kRunKeyPath, "Q-1", "C:\\Old.exe");
    for (const char* op : c.failing) registry.failNext(op, reg::kErrorAccessDenied);
    for (MsgResult a : c.answers) dialogs.answer(a);
    applyRunAtStart(c.selected, options, registry, "C:\\Q\\Q.exe");
    EXPECT_EQ(dialogs.shown.size(), static_cast<std::size_t>(c.warnings)) << c.what;
    EXPECT_EQ(registry.text(reg::kHkeyLocalMachine, kRunKeyPath, "Q-1").value_or(""), c.runValue)
        << c.what;
  }
}

// Re-registering what the registry already holds writes nothing, so an account that may not
// write there is not warned each time it opens the options; anything that differs is written.
TEST(RunAtStart, WritesOnlyWhatTheRegistryDoesNotHoldYet) {
  const struct {
    const char* what;
    bool selected;
    const char* storedChoice;  // "" when absent
    const char* runValue;      // before; "" when absent
    int warnings;              // every write refused
  } cases[] = {
      {"ticked and registered here", true, "1", "C:\\Q\\Q.exe", 0},
      {"cleared and not registered", false, "0", "", 0},
      {"ticked, registered elsewhere", true, "1", "C:\\Old\\Q.exe", 1},
      {"ticked, choice not stored", true, "", "C:\\Q\\Q.exe", 1},
      {"cleared, still registered", false, "0", "C:\\Q\\Q.exe", 1},
  };
  for (const auto& c : cases) {
    Machine m;
    auto& [registry, dialogs, identity, store, options] = m;
    if (*c.storedChoice) {
      registry.putString(reg::kHkeyLocalMachine,
                         machineSettingsPath("Tarvossa", "Q-1", kSettingsSection), "chkRunAtStart",
                         c.storedChoice);
    }
    if (*c.runValue) registry.putString(reg::kHkeyLocalMachine, kRunKeyPath, "Q-1", c.runValue);
    for (const char* op : {"createKeyEx", "createKey", "setValue", "deleteValue"}) {
      registry.failNext(op, reg::kErrorAccessDenied, -1);
    }
    dialogs.answer(MsgResult::Ignore);
    applyRunAtStart(c.selected, options, registry, "C:\\Q\\Q.exe");
    EXPECT_EQ(dialogs.shown.size(), static_cast<std::size_t>(c.warnings)) << c.what;
  }
}

}  // namespace
}  // namespace quenmark
