// The program's own work, timed inside one process under Wine with the real Win32 seams:
//
//   bench_inside startup FOLDER ROUNDS
//       what WinMain does before its message loop: the seams, the app context, the identity,
//       the main window loaded and shown; then until the messages that left behind have run
//   bench_inside loaddata FOLDER ROUNDS
//       loading the schedule list from FOLDER\data: search, read, decode, next runs; beside
//       it, the directory search alone and the search with every file read, the floor that
//       Wine's file calls set
//   bench_inside idle FOLDER SECONDS ENTRIES
//       the processor time the program takes while it idles with its main window up, with
//       ENTRIES 0, or 5: one "When..." entry of each kind waiting on the real meters (power
//       calls go nowhere)
#include <chrono>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "windows/main_window.h"
#include "app/program_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/regional_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/schedule_list.h"
#include "platform/power_api.h"

namespace {

double nowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void report(const char* what, std::vector<double> ms, std::size_t items) {
  if (ms.empty()) return;
  double first = ms[0];
  std::sort(ms.begin(), ms.end());
  std::printf("%s first %.1f ms median %.1f ms min %.1f ms rounds %zu items %zu\n", what, first,
              ms[ms.size() / 2], ms[0], ms.size(), items);
}

// Runs the messages waiting for this thread (sizing, painting) and returns.
void drainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int startup(const std::string& folder, int rounds) {
  std::vector<double> splashMs, mainMs, readyMs;
  for (int r = 0; r < rounds; ++r) {
    double t0 = nowMs();
    // No single-instance guard: the measurement must not depend on what else runs.
    quenmark::win32::Win32Seams seams;
    quenmark::win32::Program program(seams.platform(), seams.http, folder, false);
    if (!program.start()) return 1;
    drainMessages();
    double t1 = nowMs();
    // The splash window's countdown opens the main window.
    if (!program.waitForMainWindow(std::chrono::seconds(30))) return 1;
    double t2 = nowMs();
    drainMessages();
    double t3 = nowMs();
    splashMs.push_back(t1 - t0);
    mainMs.push_back(t2 - t0);
    readyMs.push_back(t3 - t0);
  }
  report("startup-winmain-to-splash", splashMs, 1);
  report("startup-winmain-to-main-shown", mainMs, 1);
  report("startup-winmain-to-ready", readyMs, 1);
  return 0;
}

// Power calls that reach nothing: the idle run must never act, whatever a condition does.
class NoPower : public quenmark::PowerApi {
 public:
  bool getVersionEx(quenmark::OsVersionInfoA&) override { return false; }
  quenmark::SysHandle getCurrentProcess() override { return 0; }
  bool openProcessToken(quenmark::SysHandle, std::uint32_t, quenmark::SysHandle&) override {
    return false;
  }
  bool lookupPrivilegeValue(const std::string&, const std::string&, quenmark::Luid&) override {
    return false;
  }
  bool adjustTokenPrivileges(quenmark::SysHandle, bool, const quenmark::TokenPrivileges&,
                             std::uint32_t, quenmark::TokenPrivileges&, std::uint32_t&) override {
    return false;
  }
  bool closeHandle(quenmark::SysHandle) override { return true; }
  bool exitWindowsEx(std::uint32_t, std::uint32_t) override { return false; }
  bool setSystemPowerState(std::int32_t, std::int32_t) override { return false; }
  quenmark::SysError lastError() override { return {}; }
  std::uint32_t setThreadExecutionState(std::uint32_t flags) override { return flags; }
  bool setWakeTimer(std::chrono::local_seconds) override { return false; }
  bool cancelWakeTimer() override { return true; }
  std::optional<bool> wakeTimersAllowed() override { return std::nullopt; }
};

double cpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           10'000.0;
  };
  return ms(kernel) + ms(user);
}

// Lets the program's messages run for `ms`, waiting in between as its message loop does.
void idleFor(double ms) {
  const double until = nowMs() + ms;
  for (double left = ms; left > 0; left = until - nowMs()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    drainMessages();
  }
}

int idle(const std::string& folder, int seconds, int entries) {
  using quenmark::Condition, quenmark::ConditionKind;
  quenmark::win32::Win32Seams seams;
  NoPower power;
  const quenmark::Platform p = seams.platform();
  quenmark::win32::Program program({p.fs, p.codec, p.clock, p.regional, p.dialogs, p.registry,
                                    power, p.shell, p.versionInfo, p.events, p.meters},
                                   seams.http, folder, false);
  if (!program.start() || !program.waitForMainWindow(std::chrono::seconds(30))) return 1;
  if (entries > 0) {
    // None can hold within the run: this program does not end, and each window is a day.
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const std::uint64_t started =
        (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    quenmark::ScheduleService& s = program.app().schedules;
    s.whenCondition({.kind = ConditionKind::ProgramEnds, .processId = GetCurrentProcessId(),
                     .processStarted = started, .fileName = "bench_inside.exe"},
                    "Log Off");
    s.whenCondition({.kind = ConditionKind::NoInput, .minutes = 1440}, "Log Off");
    s.whenCondition({.kind = ConditionKind::ProcessorBelow, .minutes = 1440, .limit = 1}, "Log Off");
    s.whenCondition({.kind = ConditionKind::NetworkBelow, .minutes = 1440, .limit = 1}, "Log Off");
    s.whenCondition({.kind = ConditionKind::BatteryBelow, .limit = 1}, "Log Off");
  }
  idleFor(3000);  // the start's own messages, and the first samples
  const double cpu0 = cpuMs(), t0 = nowMs();
  idleFor(seconds * 1000.0);
  const double cpu = cpuMs() - cpu0, wall = nowMs() - t0;
  std::printf("idle-entries %d seconds %.1f cpu %.0f ms (%.3f %%) waiting %zu\n", entries,
              wall / 1000, cpu, 100 * cpu / wall, program.app().schedules.conditions().size());
  return program.app().schedules.conditions().size() == static_cast<std::size_t>(entries) ? 0 : 1;
}

int loadData(const std::string& folder, int rounds) {
  quenmark::win32::Win32FileSystem fs;
  quenmark::win32::AnsiCodec codec;
  quenmark::win32::Win32Clock clock;
  quenmark::win32::Win32Regional regional;
  std::vector<double> ms;
  std::size_t items = 0;
  for (int r = 0; r < rounds; ++r) {
    quenmark::ScheduleList list;
    double t0 = nowMs();
    // What the main window's loadData asks of the core: the pictures, the clock, the files.
    loadScheduleList(list, fs, codec, folder, clock.now(), regional.formats());
    ms.push_back(nowMs() - t0);
    items = list.count();
  }
  report("loaddata", ms, items);

  // Where the time goes: the search alone, then the search and reading each file.
  std::string data = folder + "\\data\\";
  std::vector<double> findMs, readMs;
  std::size_t found = 0, bytes = 0;
  for (int r = 0; r < rounds; ++r) {
    double t0 = nowMs();
    auto names = fs.find(data + "*.sch", 0);
    findMs.push_back(nowMs() - t0);
    found = names.size();
    bytes = 0;
    t0 = nowMs();
    for (const auto& name : fs.find(data + "*.sch", 0)) {
      auto text = fs.readFile(data + name);
      if (text) bytes += text->size();
    }
    readMs.push_back(nowMs() - t0);
  }
  report("loaddata-search-only", findMs, found);
  report("loaddata-search-and-read", readMs, found);

  // The floor: the fewest Win32 calls that list and read every file.
  std::vector<double> rawMs;
  std::wstring wdata = quenmark::win32::widen(data);
  for (int r = 0; r < rounds; ++r) {
    double t0 = nowMs();
    WIN32_FIND_DATAW fd;
    HANDLE search = FindFirstFileW((wdata + L"*.sch").c_str(), &fd);
    if (search == INVALID_HANDLE_VALUE) return 1;
    do {
      HANDLE f = CreateFileW((wdata + fd.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (f == INVALID_HANDLE_VALUE) continue;
      char buffer[4096];
      DWORD got = 0;
      ReadFile(f, buffer, sizeof buffer, &got, nullptr);
      CloseHandle(f);
    } while (FindNextFileW(search, &fd));
    FindClose(search);
    rawMs.push_back(nowMs() - t0);
  }
  report("loaddata-floor-open-read-close", rawMs, found);

  // The main window's loadData: the same load, plus the list view taking the new rows.
  quenmark::win32::Win32Seams seams;
  quenmark::win32::Program program(seams.platform(), seams.http, folder, false);
  if (!program.start() || !program.waitForMainWindow(std::chrono::seconds(30))) return 1;
  drainMessages();
  std::vector<double> windowMs;
  for (int r = 0; r < rounds; ++r) {
    double t0 = nowMs();
    program.mainWindow()->loadData();
    drainMessages();
    windowMs.push_back(nowMs() - t0);
  }
  report("loaddata-frmMain", windowMs, found);
  return items && bytes ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == L"startup") {
    return startup(quenmark::win32::narrow(args[1]), std::stoi(args[2]));
  }
  if (args.size() == 3 && args[0] == L"loaddata") {
    return loadData(quenmark::win32::narrow(args[1]), std::stoi(args[2]));
  }
  if (args.size() == 4 && args[0] == L"idle") {
    return idle(quenmark::win32::narrow(args[1]), std::stoi(args[2]), std::stoi(args[3]));
  }
  std::fprintf(stderr, "usage: bench_inside startup|loaddata FOLDER ROUNDS\n"
                       "       bench_inside idle FOLDER SECONDS 0|5\n");
  return 2;
}
