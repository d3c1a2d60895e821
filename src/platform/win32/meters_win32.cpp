#include "platform/win32/meters_win32.h"

// The interface table's rows (MIB_IF_ROW2) need the IP definitions of Winsock 2 before the
// IP helper's header; no Winsock function is called.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>

#include <iphlpapi.h>
#include <tlhelp32.h>

#include <map>

#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

std::uint64_t fromFileTime(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

template <class Fn>
Fn lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through void (*)(): the one function-pointer cast GCC accepts between unrelated types.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The title of each process's first visible, unowned top-level window: what the user knows
// a program by.
BOOL CALLBACK collectTitle(HWND window, LPARAM param) {
  auto& titles = *reinterpret_cast<std::map<DWORD, std::string>*>(param);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
      (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    return TRUE;
  }
  wchar_t title[256];
  if (GetWindowTextW(window, title, static_cast<int>(std::size(title))) <= 0) return TRUE;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  titles.emplace(id, narrow(title));
  return TRUE;
}

}  // namespace

// iphlpapi, loaded once on first use: GetIfTable2 (Vista and later, 64-bit counters) or
// else GetIfTable.
struct Win32Meters::IpHelper {
  using GetIfTable2Fn = DWORD(WINAPI*)(PMIB_IF_TABLE2*);
  using FreeMibTableFn = VOID(WINAPI*)(PVOID);
  using GetIfTableFn = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);

  IpHelper() : module(LoadLibraryW(L"iphlpapi.dll")) {
    getIfTable2 = lookup<GetIfTable2Fn>(module, "GetIfTable2");
    freeMibTable = lookup<FreeMibTableFn>(module, "FreeMibTable");
    getIfTable = lookup<GetIfTableFn>(module, "GetIfTable");
  }
  ~IpHelper() {
    if (module) FreeLibrary(module);
  }
  IpHelper(const IpHelper&) = delete;
  IpHelper& operator=(const IpHelper&) = delete;

  std::optional<std::uint64_t> octets() const {
    if (getIfTable2 && freeMibTable) {
      PMIB_IF_TABLE2 table = nullptr;
      if (getIfTable2(&table) == NO_ERROR && table) {
        // Filter and virtual rows repeat the traffic of the adapters beneath them: count the
        // hardware ones where there are any.
        std::uint64_t hardware = 0, all = 0;
        bool anyHardware = false;
        for (ULONG i = 0; i < table->NumEntries; ++i) {
          const MIB_IF_ROW2& row = table->Table[i];
          if (row.Type == IF_TYPE_SOFTWARE_LOOPBACK || row.InterfaceAndOperStatusFlags.FilterInterface) {
            continue;
          }
          const std::uint64_t both = row.InOctets + row.OutOctets;
          all += both;
          if (row.InterfaceAndOperStatusFlags.HardwareInterface) {
            anyHardware = true;
            hardware += both;
          }
        }
        freeMibTable(table);
        return anyHardware ? hardware : all;
      }
    }
    if (!getIfTable) return std::nullopt;
    ULONG size = 0;
    if (getIfTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0) {
      return std::nullopt;
    }
    std::vector<unsigned char> buffer(size);
    auto* table = reinterpret_cast<PMIB_IFTABLE>(buffer.data());
    if (getIfTable(table, &size, FALSE) != NO_ERROR) return std::nullopt;
    std::uint64_t all = 0;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
      if (table->table[i].dwType == IF_TYPE_SOFTWARE_LOOPBACK) continue;
      all += static_cast<std::uint64_t>(table->table[i].dwInOctets) + table->table[i].dwOutOctets;
    }
    return all;  // 32-bit counters wrap; the average window starts afresh when they do
  }

  HMODULE module;
  GetIfTable2Fn getIfTable2 = nullptr;
  FreeMibTableFn freeMibTable = nullptr;
  GetIfTableFn getIfTable = nullptr;
};

Win32Meters::Win32Meters() = default;
Win32Meters::~Win32Meters() = default;

std::uint64_t Win32Meters::tickCount() { return GetTickCount64(); }

std::optional<std::uint64_t> Win32Meters::processStarted(std::uint32_t id) {
  if (id == 0) return std::nullopt;
  // The handle tells a process that has ended but is still referenced from one that runs;
  // a process of another account may refuse SYNCHRONIZE, and is then asked for its exit code.
  UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  bool ended = false;
  if (process) {
    ended = WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
  } else if (GetLastError() == ERROR_ACCESS_DENIED) {
    process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    DWORD code = 0;
    if (!process) return std::uint64_t{0};  // it runs, but may not be looked at
    ended = GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE;
  } else {
    return std::nullopt;  // no process has that id
  }
  if (ended) return std::nullopt;
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return std::uint64_t{0};
  return fromFileTime(created);
}

std::vector<RunningProgram> Win32Meters::runningPrograms(bool details) {
  std::vector<RunningProgram> out;
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return out;
  std::map<DWORD, std::string> titles;
  if (details) EnumWindows(collectTitle, reinterpret_cast<LPARAM>(&titles));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == 0) continue;
    RunningProgram p;
    p.id = entry.th32ProcessID;
    p.fileName = narrow(entry.szExeFile);
    if (details) {
      const std::optional<std::uint64_t> started = processStarted(p.id);
      if (!started) continue;  // gone since the snapshot
      p.started = *started;
      if (const auto t = titles.find(entry.th32ProcessID); t != titles.end()) p.windowTitle = t->second;
    }
    out.push_back(std::move(p));
  }
  return out;
}

std::optional<std::uint64_t> Win32Meters::sinceLastInput() {
  LASTINPUTINFO input{};
  input.cbSize = sizeof input;
  if (!GetLastInputInfo(&input)) return std::nullopt;
  // Both are 32-bit tick counts: the difference is right across their wrap.
  return static_cast<DWORD>(GetTickCount() - input.dwTime);
}

std::optional<ProcessorTimes> Win32Meters::processorTimes() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return ProcessorTimes{fromFileTime(idle), fromFileTime(kernel), fromFileTime(user)};
}

std::optional<std::uint64_t> Win32Meters::networkOctets() {
  if (!ip_) ip_ = std::make_unique<IpHelper>();
  return ip_->octets();
}

BatteryState Win32Meters::battery() {
  SYSTEM_POWER_STATUS status{};
  BatteryState b;
  if (!GetSystemPowerStatus(&status)) return b;
  constexpr BYTE kNoBattery = 128, kUnknown = 255;
  b.present = status.BatteryFlag != kUnknown && !(status.BatteryFlag & kNoBattery);
  b.onMains = status.ACLineStatus != 0;
  if (status.BatteryLifePercent <= 100) b.percent = status.BatteryLifePercent;
  return b;
}

}  // namespace quenmark::win32
