#include <windows.h>

#include <cstdlib>

#include "app/command_line_win32.h"
#include "app/program_win32.h"

// The program starts with its main window; a second start ends at once. A start with
// arguments is the command line: it asks the running program, or acts alone, and ends.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const auto args = quenmark::win32::commandLineArguments(GetCommandLineW());
  if (!args.empty()) return quenmark::win32::runCommandLine(args);
  quenmark::win32::Win32Seams seams;
  quenmark::win32::Program program(seams.platform(), seams.http,
                                   quenmark::win32::runningProgramFolder());
  if (!program.start()) return 0;
  return program.run();
}

// An exception nobody catches ends the program as abort() does. The library's own handler
// first prints the exception's demangled type to a console this program does not have, and
// its demangler would be a twentieth of the program file, read at every start.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
