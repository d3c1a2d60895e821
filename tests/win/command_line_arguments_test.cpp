#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line_win32.h"

namespace quenmark::win32 {
namespace {

// The program's own name, quoted or not, is never an argument; what follows is split as
// Windows splits a command line, in UTF-8.
TEST(CommandLineArguments, AfterTheProgramsOwnName) {
  struct Case {
    const wchar_t* line;
    std::vector<std::string> args;
  };
  for (const Case& c : {
           Case{L"Quenmark.exe", {}},
           Case{L"\"C:\\Program Files\\Quenmark\\Quenmark.exe\" \t ", {}},
           Case{L"\"C:\\Program Files\\Quenmark\\Quenmark.exe\" /s /t 3600", {"/s", "/t", "3600"}},
           Case{L"Quenmark.exe /add \"Abend aus\"\t\u00DCber", {"/add", "Abend aus", "\xC3\x9C" "ber"}},
       }) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    EXPECT_EQ(commandLineArguments(c.line), c.args);
  }
}

}  // namespace
}  // namespace quenmark::win32
