#include "platform/win32/meters_win32.h"

#include "platform/win32/iphlpapi_api_win32.h"

#include <tlhelp32.h>

#include <map>

#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

std::uint64_t fromFileTime(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
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

// The octets of every interface, from the IP helper's table.
struct Win32Meters::IpHelper {
  std::optional<std::uint64_t> octets() const {
    PMIB_IF_TABLE2 table2 = nullptr;
    if (api.GetIfTable2(&table2) == NO_ERROR && table2) {
      // Filter and virtual rows repeat the traffic of the adapters beneath them: count the
      // hardware ones where there are any.
      std::uint64_t hardware = 0, all = 0;
      bool anyHardware = false;
      for (ULONG i = 0; i < table2->NumEntries; ++i) {
        const MIB_IF_ROW2& row = table2->Table[i];
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
      api.FreeMibTable(table2);
      return anyHardware ? hardware : all;
    }
    ULONG size = 0;
    if (api.GetIfTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0) {
      return std::nullopt;
    }
    std::vector<unsigned char> buffer(size);
    auto* table = reinterpret_cast<PMIB_IFTABLE>(buffer.data());
    if (api.GetIfTable(table, &size, FALSE) != NO_ERROR) return std::nullopt;
    std::uint64_t all = 0;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
      if (table->table[i].dwType == IF_TYPE_SOFTWARE_LOOPBACK) continue;
      all += static_cast<std::uint64_t>(table->table[i].dwInOctets) + table->table[i].dwOutOctets;
    }
    return all;  // 32-bit counters wrap; the average window starts afresh when they do
  }

  IpHelperApi api;
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
