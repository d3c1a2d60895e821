#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/program_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/text_win32.h"
#include "reliability/save_loop.h"
#include "core/schedule/schedule_file.h"
#include "support/temp_folder_win32.h"

namespace quenmark::testing {
namespace {

int environmentNumber(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoi(v) : fallback;
}

// Busy-waits, since Sleep is too coarse to hit every step of a save.
void waitMicroseconds(long long us) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  do {
    QueryPerformanceCounter(&now);
  } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < us);
}

// save_loop.exe saves schedules round after round and is killed at a random moment, again
// and again (QUENMARK_SAVE_KILLS times, 30 by default; QUENMARK_SAVE_NAIVE=1 runs the loop's
// non-atomic saves instead, which this test must catch). After each kill every schedule file
// holds exactly one of the texts the loop writes, and the program lists the schedules and
// nothing else: a temporary file left by a kill is not a schedule.
TEST(InterruptedSaves, EverySaveKilledHalfwayLeavesTheOldOrTheNewFileWhole) {
  const int kills = environmentNumber("QUENMARK_SAVE_KILLS", 30);
  const bool naive = environmentNumber("QUENMARK_SAVE_NAIVE", 0) == 1;
  const unsigned seed = static_cast<unsigned>(environmentNumber("QUENMARK_SAVE_SEED", 2026));
  const std::string helper = win32::runningProgramFolder() + "\\save_loop.exe";
  TempFolder program;
  win32::Win32FileSystem fs;
  win32::AnsiCodec codec;
  ASSERT_EQ(fs.createDirectory(dataFolder(program.path())), std::nullopt);
  std::set<std::string> names, texts;
  for (const char* name : save_loop::kNames) {
    names.insert(name);
    for (unsigned v = 0; v < save_loop::kVersions; ++v)
      texts.insert(scheduleFileText(save_loop::version(name, v)));
    ASSERT_EQ(SaveScheduleFile(fs, codec, program.path(), save_loop::version(name, 0)),
              std::nullopt);
  }

  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> moment(0, 30000);  // microseconds after the start
  int torn = 0, missing = 0;
  std::size_t leftovers = 0;
  for (int k = 0; k < kills; ++k) {
    const std::wstring event =
        L"QuenmarkSaveLoop-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(k);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    ASSERT_NE(ready, nullptr);
    std::wstring command = L"save_loop.exe \"" + win32::widen(program.path()) + L"\" " + event;
    if (naive) command += L" naive";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(win32::widen(helper).c_str(), command.data(), nullptr, nullptr,
                               FALSE, 0, nullptr, nullptr, &si, &pi))
        << helper;
    const HANDLE both[] = {ready, pi.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, both, FALSE, 20000);
    if (woke == WAIT_OBJECT_0) waitMicroseconds(moment(random));
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(ready);
    ASSERT_EQ(woke, WAIT_OBJECT_0) << "the loop did not get going, kill " << k;

    for (const std::string& name : names) {
      const Result<std::string> bytes = fs.readFile(scheduleFilePath(program.path(), name));
      if (!bytes) {
        ++missing;
      } else if (!texts.count(codec.ansiToUtf8(*bytes))) {
        ++torn;
      }
    }
    std::set<std::string> listed;
    for (const ScheduleRecord& r : readScheduleRecords(fs, codec, program.path()))
      listed.insert(r.Name);
    if (!naive) {
      EXPECT_EQ(listed, names) << "after kill " << k;
    }
    leftovers = 0;
    for (const std::string& file : fs.find(dataFolder(program.path()) + "*", 0))
      leftovers += names.count(file.substr(0, file.size() - 4)) ? 0 : 1;
  }
  std::printf("KILLS | %s | %d | %d | %d | %zu |\n", naive ? "naive" : "atomic", kills, torn,
              missing, leftovers);
  std::fflush(stdout);
  if (naive) {
    EXPECT_GT(torn + missing, 0) << "the naive saves were never caught halfway";
  } else {
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(missing, 0);
  }
}

}  // namespace
}  // namespace quenmark::testing
