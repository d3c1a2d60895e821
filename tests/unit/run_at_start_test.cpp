#include <gtest/gtest.h>

#include "settings/run_at_start.h"

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

}  // namespace
}  // namespace quenmark
