#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "core/presentation/help_launcher.h"
#include "core/settings/options.h"
#include "base/file_exists.h"

namespace quenmark {
namespace {

using testing::FakeFileSystem;

TEST(FileExists, AnswersForFilesOnlyIgnoringCase) {
  FakeFileSystem fs;
  fs.addDirectory("C:\\dir");
  fs.addDirectory("C:\\dir\\sub");
  fs.addFile("C:\\dir\\a.sch", "x");
  fs.addFile("C:\\dir\\Hidden.SYS", "x", attr::kHidden | attr::kSystem);
  fs.addFile("C:\\dir\\ro.txt", "x", attr::kReadOnly);
  fs.addFile("C:\\dir\\\u0490\u0430\u043d\u043e\u043a \u0386.sch", "x");  // Ґанок Ά
  struct Case {
    std::string path;
    bool exists;
  };
  const Case cases[] = {
      {"C:\\dir\\a.sch", true},
      {"c:\\DIR\\A.SCH", true},
      {"C:\\dir\\hidden.sys", true},  // hidden system file, other letter case
      {"C:\\dir\\ro.txt", true},
      {"C:\\dir\\sub", false},    // a folder
      {"C:\\dir\\*.sch", false},  // a pattern, though files match it
      {"C:\\dir\\?.sch", false},
      {"C:\\dir\\b.sch", false},
      {"C:\\dir\\", false},
      {"", false},
      {"C:\\nowhere\\a.sch", false},
      {"C:\\dir\\\u0491\u0410\u041d\u041e\u041a \u03ac.SCH", true},  // found in another case
  };
  for (const auto& c : cases) EXPECT_EQ(FileExists(fs, c.path), c.exists) << c.path;
}

TEST(FileExists, SearchesWithMaskSevenAndGivesFalseOnFailure) {
  FakeFileSystem fs;
  fs.addFile("C:\\a.txt", "x");
  fs.failNext("find", SysError{21, "The device is not ready."});
  EXPECT_FALSE(FileExists(fs, "C:\\a.txt"));
  EXPECT_TRUE(FileExists(fs, "C:\\a.txt"));
  EXPECT_EQ(fs.calls.back(), "find C:\\a.txt");
}

// Form8's load, against the fakes.
class HelpLauncherTest : public ::testing::Test {
 protected:
  HelpLauncherTest() {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    fs.addDirectory("C:\\Program Files\\Quenmark");
  }
  void load() { loadHelpLauncher(0x1234, kFolder, fs, shell, options); }
  std::optional<std::string> showHelp() {
    return registry.text(reg::kHkeyCurrentUser, "Software\\Tarvossa\\Quenmark\\Settings",
                         "showHelp");
  }

  static constexpr char kFolder[] = "C:\\Program Files\\Quenmark";
  FakeFileSystem fs;
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  testing::FakeDialogs dialogs;
  ProductIdentity identity;
  SettingsStore settings{registry, dialogs, identity, [] { return false; }};
  Options options{settings, identity};
};

// "showHelp" has one home, the user area the main window reads: nothing goes to the machine
// section, where a standard account would only be warned that it may not write.
TEST_F(HelpLauncherTest, OpensTheHelpFileThenStoresShowHelpWhereTheMainWindowReadsIt) {
  fs.addFile("C:\\Program Files\\Quenmark\\help.CHM", "ITSF");
  load();
  ASSERT_EQ(shell.executed.size(), 1u);
  const auto& e = shell.executed[0];
  EXPECT_EQ(e.owner, 0x1234u);
  EXPECT_EQ(e.verb, "open");
  EXPECT_EQ(e.file, "C:\\Program Files\\Quenmark\\Help.chm");
  EXPECT_EQ(e.parameters, "");
  EXPECT_EQ(e.directory, "");
  EXPECT_EQ(e.showCommand, 1);
  EXPECT_EQ(showHelp(), "0");
  EXPECT_FALSE(registry.keyExists(reg::kHkeyLocalMachine, "SOFTWARE\\Tarvossa\\Quenmark\\Settings"));
}

TEST_F(HelpLauncherTest, WithoutTheHelpFileNothingHappens) {
  registry.putString(reg::kHkeyCurrentUser, "Software\\Tarvossa\\Quenmark\\Settings", "showHelp",
                     "1");
  load();
  fs.addDirectory("C:\\Program Files\\Quenmark\\Help.chm");  // a folder is no help file
  load();
  EXPECT_TRUE(shell.executed.empty());
  EXPECT_EQ(showHelp(), "1");
  EXPECT_TRUE(registry.callsOf("setValue").empty());
}

}  // namespace
}  // namespace quenmark
