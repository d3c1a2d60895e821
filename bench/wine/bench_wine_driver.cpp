// Measures window programs under Wine from outside, in the same Wine session:
//
//   bench_wine_driver startup ROUNDS EXE TITLE [EXE TITLE ...]
//       from CreateProcess to the main window found, visible and answering a message; the
//       rounds alternate between the programs so that both see the same machine load
//   bench_wine_driver wait TITLE SECONDS
//       waits until the window is ready in the same sense (exit 1 when it is not in time)
//   bench_wine_driver close TITLE
//       closes the window as the task manager does and waits for its program to end
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double nowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// The window exists, is shown and its thread answers: the user could use it.
HWND readyWindow(const std::wstring& title) {
  HWND w = FindWindowW(nullptr, title.c_str());
  if (!w || !IsWindowVisible(w)) return nullptr;
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) return nullptr;
  return w;
}

HWND waitReady(const std::wstring& title, double timeoutMs, HANDLE process = nullptr) {
  double until = nowMs() + timeoutMs;
  while (nowMs() < until) {
    if (HWND w = readyWindow(title)) return w;
    if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    Sleep(2);
  }
  return nullptr;
}

// A bare WM_CLOSE, as the task manager sends it: both programs end on it.
bool closeAndWait(HWND w, HANDLE process) {
  PostMessageW(w, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, 10000) == WAIT_OBJECT_0) return true;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  return false;
}

struct Program {
  std::wstring exe, title;
  std::vector<double> ms;
};

bool startOnce(Program& p) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + p.exe + L"\"";
  std::wstring dir = p.exe.substr(0, p.exe.find_last_of(L'\\'));
  double t0 = nowMs();
  if (!CreateProcessW(p.exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &si, &pi)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", p.exe.c_str(), GetLastError());
    return false;
  }
  HWND w = waitReady(p.title, 30000, pi.hProcess);
  double t1 = nowMs();
  bool ok = w != nullptr;
  if (ok) {
    p.ms.push_back(t1 - t0);
    if (!closeAndWait(w, pi.hProcess)) std::fwprintf(stderr, L"%ls did not end\n", p.exe.c_str());
  } else {
    std::fwprintf(stderr, L"no window \"%ls\" from %ls\n", p.title.c_str(), p.exe.c_str());
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ok;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int startup(int rounds, std::vector<Program> programs) {
  for (auto& p : programs) {
    if (!startOnce(p)) return 1;  // a first, unmeasured start warms the file cache
    p.ms.clear();
  }
  for (int r = 0; r < rounds; ++r) {
    for (auto& p : programs) {
      if (!startOnce(p)) return 1;
    }
  }
  for (const auto& p : programs) {
    std::wstring name = p.exe.substr(p.exe.find_last_of(L'\\') + 1);
    std::wprintf(L"startup %ls \"%ls\" median %.0f ms min %.0f max %.0f rounds %zu\n",
                 name.c_str(), p.title.c_str(), median(p.ms),
                 *std::min_element(p.ms.begin(), p.ms.end()),
                 *std::max_element(p.ms.begin(), p.ms.end()), p.ms.size());
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() >= 4 && args[0] == L"startup" && args.size() % 2 == 0) {
    std::vector<Program> programs;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2)
      programs.push_back({args[i], args[i + 1], {}});
    return startup(std::stoi(args[1]), programs);
  }
  if (args.size() == 3 && args[0] == L"wait") {
    return waitReady(args[1], 1000.0 * std::stoi(args[2])) ? 0 : 1;
  }
  if (args.size() == 2 && args[0] == L"close") {
    HWND w = FindWindowW(nullptr, args[1].c_str());
    if (!w) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    if (!process) return 1;
    bool ok = closeAndWait(w, process);
    CloseHandle(process);
    return ok ? 0 : 1;
  }
  std::fwprintf(stderr,
                L"usage: bench_wine_driver startup ROUNDS EXE TITLE [EXE TITLE ...] |\n"
                L"       bench_wine_driver wait TITLE SECONDS | bench_wine_driver close TITLE\n");
  return 2;
}
