#include <windows.h>

#include "app/program_win32.h"

// The program starts with its main window; a second start ends at once.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quenmark::win32::Win32Seams seams;
  quenmark::win32::Program program(seams.platform(), seams.http,
                                   quenmark::win32::runningProgramFolder());
  if (!program.start()) return 0;
  return program.run();
}
