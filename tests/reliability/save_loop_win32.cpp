// save_loop PROGRAM-FOLDER EVENT-NAME [naive]
//
// Saves the schedules of save_loop.h into PROGRAM-FOLDER\data, round after round, through the
// program's own SaveScheduleFile and Win32FileSystem, until it is killed. It sets the named
// event once the first round is written, so that the killer strikes while saves are under
// way. "naive" saves as a program without atomic replacement would (delete, create, write),
// to show that the test that kills this loop sees torn files when there are any.
#include <windows.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/text_win32.h"
#include "reliability/save_loop.h"
#include "core/schedule/schedule_file.h"

namespace {

using namespace quenmark;

void saveNaively(const std::string& path, const std::string& bytes) {
  const std::wstring w = win32::widen(path);
  DeleteFileW(w.c_str());
  HANDLE f =
      CreateFileW(w.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD wrote = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(f);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::string folder = win32::narrow(argv[1]);
  const bool naive = argc > 3 && std::wstring(argv[3]) == L"naive";
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  win32::Win32FileSystem fs;
  win32::AnsiCodec codec;
  for (unsigned round = 1;; ++round) {
    for (const char* name : testing::save_loop::kNames) {
      const ScheduleRecord r = testing::save_loop::version(name, round);
      if (naive) {
        saveNaively(scheduleFilePath(folder, name), codec.utf8ToAnsi(scheduleFileText(r)));
      } else if (SaveScheduleFile(fs, codec, folder, r)) {
        return 1;
      }
    }
    if (round == 1 && ready) SetEvent(ready);
  }
}
