// e2e_driver: drives a running Quenmark.exe from outside, as a user would, and checks what
// the user would see. It runs in the same Wine session as the program.
//
//   e2e_driver prepare EXE FOLDER    the program's settings and schedule files for a run
//   e2e_driver SCENARIO TITLE EXE    one scenario against the running program (below; splash
//                                    and clialone start it themselves)
//   e2e_driver finish TITLE EXE      ends the program if it still runs; removes its settings
//
// Exit code 0 when every check held, 1 when one failed (each failure is printed).

// <windows.h> first: the others build on its types.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

int failures = 0;

// UTF-8, so that names outside ASCII read right in ctest's log.
void print(FILE* to, const std::wstring& line) {
  std::string bytes(line.size() * 4 + 2, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(n));
  std::fputs((bytes + "\n").c_str(), to);
  std::fflush(to);
}

void fail(const std::wstring& what) {
  ++failures;
  print(stderr, L"FAILED: " + what);
}

void check(bool ok, const std::wstring& what) {
  if (!ok) fail(what);
}

void note(const std::wstring& what) { print(stdout, what); }

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
  auto until = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

std::wstring quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// ---- the program's identity and settings --------------------------------------------------

std::wstring versionString(const std::wstring& exe, const wchar_t* field) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(exe.c_str(), 0, size, data.data())) return {};
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + field;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value));
}

// The program keeps its settings under Software\company\product in both hives.
struct SettingsKeys {
  std::wstring company, product;
  std::wstring root() const { return L"Software\\" + company + L"\\" + product; }
  std::wstring section() const { return root() + L"\\Settings"; }
};

SettingsKeys settingsKeys(const std::wstring& exe) {
  return {versionString(exe, L"CompanyName"), versionString(exe, L"ProductName")};
}

bool setString(HKEY hive, const std::wstring& path, const wchar_t* name, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(hive, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  auto bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
  LONG r = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

void removeSettings(const SettingsKeys& keys) {
  // Only the product's own key: the company key may hold other programs.
  RegDeleteTreeW(HKEY_CURRENT_USER, keys.root().c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, keys.root().c_str());
}

// ---- the schedule files -------------------------------------------------------------------

struct ScheduleCase {
  std::wstring name, type;
  bool enabled;
  WORD year, month, day;
  std::wstring time, repeat, kind, period;
};

// Every start lies decades ahead, so no schedule can fall due while a test runs (a real
// shutdown under Wine would end the whole session).
const std::vector<ScheduleCase> kCases = {
    {L"Weekly shutdown", L"Shut Down", true, 2099, 1, 1, L"22:30:00", L"-1", L"1", L"mon,fri"},
    {L"Daily standby", L"Stand by", true, 2098, 6, 15, L"07:00:00", L"-1", L"0", L""},
    {L"B\u00fcro reboot", L"Reboot", true, 2097, 12, 31, L"23:59:00", L"0", L"0", L""},
    {L"Switched off", L"Log Off", false, 0, 0, 0, L"", L"0", L"0", L""},
};

// The start date as the user's regional settings write it, by Windows itself.
std::wstring shortDate(const ScheduleCase& c) {
  if (!c.enabled) return {};
  SYSTEMTIME st{};
  st.wYear = c.year;
  st.wMonth = c.month;
  st.wDay = c.day;
  wchar_t buf[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, std::size(buf));
  return buf;
}

// A start yet to come is shown as the file states it; a schedule without a start shows none.
std::wstring expectedNextRun(const ScheduleCase& c) {
  return c.enabled ? shortDate(c) + L" " + c.time : std::wstring();
}

std::wstring fileText(const ScheduleCase& c) {
  std::wstring t;
  auto line = [&t](const std::wstring& s) { t += s + L"\r\n"; };
  line(L"<DATA>");
  line(L"LastRunTime=");
  line(L"ItemType=" + c.type);
  line(std::wstring(L"Enabled=") + (c.enabled ? L"1" : L"0"));
  line(L"</DATA>");
  line(L"");
  line(L"<SCHEDULER>");
  line(L"StartDate=" + shortDate(c));
  line(L"StartTime=" + c.time);
  line(L"Repeat=" + c.repeat);
  line(L"SAccurancy=" + c.kind);
  line(L"Period=" + c.period);
  line(L"RunOnStart=0");
  line(L"RunOnEnd=0");
  line(L"</SCHEDULER>");
  line(L"");
  return t;
}

bool writeAnsiFile(const std::wstring& path, const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

std::wstring scheduleFile(const std::wstring& folder, const std::wstring& name) {
  return folder + L"\\data\\" + name + L".sch";
}

bool fileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int prepare(const std::wstring& exe, const std::wstring& folder) {
  // A two-digit year would read as a past century and let a repeating schedule fall due.
  wchar_t picture[80] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, std::size(picture));
  if (!wcsstr(picture, L"yyyy")) {
    fail(L"the short date format " + quoted(picture) + L" has no four-digit year");
    return 1;
  }
  SettingsKeys keys = settingsKeys(exe);
  check(!keys.company.empty() && !keys.product.empty(), L"version information of " + exe);
  removeSettings(keys);
  // A known language and no help at start, so that no other window opens first; closing
  // the window hides it without the still-running notice.
  check(setString(HKEY_CURRENT_USER, keys.section(), L"Language", L"English"), L"Language");
  check(setString(HKEY_CURRENT_USER, keys.section(), L"showHelp", L"0"), L"showHelp");
  check(setString(HKEY_LOCAL_MACHINE, keys.section(), L"chkNoShow", L"1"), L"chkNoShow");
  CreateDirectoryW((folder + L"\\data").c_str(), nullptr);
  for (const auto& c : kCases) {
    check(writeAnsiFile(scheduleFile(folder, c.name), fileText(c)), L"writing " + c.name);
  }
  return failures ? 1 : 0;
}

// ---- the running program ------------------------------------------------------------------

struct Handle {
  HANDLE h = nullptr;
  Handle() = default;
  explicit Handle(HANDLE handle) : h(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (h) CloseHandle(h);
  }
};

bool alive(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

// Memory in the program's address space: list view messages take pointers that the list
// view uses in its own process.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : process_(process),
        at_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
  }
  explicit operator bool() const { return at_ != nullptr; }
  char* at(std::size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
  bool write(std::size_t offset, const void* data, std::size_t size) const {
    return WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  bool read(std::size_t offset, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  HANDLE process_;
  void* at_;
};

std::optional<LRESULT> sendTo(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::wstring windowText(HWND w) {
  wchar_t buf[512] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf),
                      SMTO_ABORTIFHUNG, 5000, &n);
  return buf;
}

std::wstring className(HWND w) {
  wchar_t buf[128] = {};
  GetClassNameW(w, buf, std::size(buf));
  return buf;
}

// The enumeration callbacks must be WINAPI functions (a lambda is not one on i686).
BOOL CALLBACK collectWindow(HWND w, LPARAM into) {
  reinterpret_cast<std::vector<HWND>*>(into)->push_back(w);
  return TRUE;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND childByClass(HWND parent, const wchar_t* cls) {
  for (HWND w : descendants(parent)) {
    if (className(w) == cls) return w;
  }
  return nullptr;
}

HWND buttonByCaption(HWND parent, const std::wstring& caption) {
  for (HWND w : descendants(parent)) {
    if (className(w) == L"Button" && windowText(w) == caption) return w;
  }
  return nullptr;
}

// A top-level window of one process with a given class and title.
HWND topLevelWindow(DWORD pid, const wchar_t* cls, const std::wstring& title) {
  for (HWND w : topLevelWindows()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && className(w) == cls && windowText(w) == title) return w;
  }
  return nullptr;
}

int windowsTitled(const std::wstring& title) {
  int n = 0;
  for (HWND w : topLevelWindows()) {
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, std::size(buf));
    if (title == buf) ++n;
  }
  return n;
}

// The program as the driver sees it: its main window, its process and its list.
struct Program {
  HWND main = nullptr;
  DWORD pid = 0;
  Handle process;
  HWND list = nullptr;
};

bool attach(Program& p, const std::wstring& title) {
  if (!waitFor([&] { return (p.main = FindWindowW(nullptr, title.c_str())) != nullptr; }, 30s)) {
    fail(L"no window titled " + quoted(title));
    return false;
  }
  GetWindowThreadProcessId(p.main, &p.pid);
  p.process.h = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                PROCESS_QUERY_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE,
                            FALSE, p.pid);
  if (!p.process.h) {
    fail(L"cannot open the program's process");
    return false;
  }
  p.list = childByClass(p.main, WC_LISTVIEWW);
  return true;
}

int rowCount(const Program& p) {
  return static_cast<int>(sendTo(p.list, LVM_GETITEMCOUNT, 0, 0).value_or(-1));
}

constexpr int kTextChars = 260;

std::wstring cellText(const Program& p, int row, int column) {
  RemoteMemory mem(p.process.h, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!mem) return L"<no memory>";
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(mem.at(sizeof(LVITEMW)));
  item.cchTextMax = kTextChars;
  mem.write(0, &item, sizeof(item));
  auto n = sendTo(p.list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                  reinterpret_cast<LPARAM>(mem.at()));
  if (!n) return L"<no answer>";
  std::wstring text(kTextChars, L'\0');
  mem.read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

std::wstring columnCaption(const Program& p, int column) {
  RemoteMemory mem(p.process.h, sizeof(LVCOLUMNW) + kTextChars * sizeof(wchar_t));
  if (!mem) return L"<no memory>";
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = reinterpret_cast<LPWSTR>(mem.at(sizeof(LVCOLUMNW)));
  col.cchTextMax = kTextChars;
  mem.write(0, &col, sizeof(col));
  if (!sendTo(p.list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
              reinterpret_cast<LPARAM>(mem.at()))
           .value_or(0)) {
    return L"<no column>";
  }
  std::wstring text(kTextChars, L'\0');
  mem.read(sizeof(LVCOLUMNW), text.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

using Row = std::vector<std::wstring>;

std::map<std::wstring, Row> rowsByName(const Program& p) {
  std::map<std::wstring, Row> rows;
  int n = rowCount(p);
  for (int r = 0; r < n; ++r) {
    Row row;
    for (int c = 0; c < 5; ++c) row.push_back(cellText(p, r, c));
    rows[row[0]] = row;
  }
  return rows;
}

std::optional<int> rowOf(const Program& p, const std::wstring& name) {
  int n = rowCount(p);
  for (int r = 0; r < n; ++r) {
    if (cellText(p, r, 0) == name) return r;
  }
  return std::nullopt;
}

// A left click in the middle of a row, delivered to the list view as the mouse would.
bool clickRow(const Program& p, int row) {
  RemoteMemory mem(p.process.h, sizeof(RECT));
  RECT rc{};
  rc.left = LVIR_LABEL;
  mem.write(0, &rc, sizeof(rc));
  if (!sendTo(p.list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(mem.at()))
           .value_or(0)) {
    return false;
  }
  mem.read(0, &rc, sizeof(rc));
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageW(p.list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(p.list, WM_LBUTTONUP, 0, at);
  return true;
}

bool rowSelected(const Program& p, int row) {
  return sendTo(p.list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED).value_or(0) &
         LVIS_SELECTED;
}

// The message box the program shows, found by its title, answered by pressing a button.
bool answerMessageBox(const Program& p, const std::wstring& title, int button) {
  HWND box = nullptr;
  if (!waitFor([&] { return (box = topLevelWindow(p.pid, L"#32770", title)) != nullptr; })) {
    fail(L"no message box titled " + quoted(title));
    return false;
  }
  HWND b = GetDlgItem(box, button);
  if (!b) {
    fail(L"the message box " + quoted(title) + L" has no button " + std::to_wstring(button));
    return false;
  }
  PostMessageW(b, BM_CLICK, 0, 0);
  if (!waitFor([&] { return !IsWindow(box); })) {
    fail(L"the message box " + quoted(title) + L" stayed open");
    return false;
  }
  return true;
}

// Whether the shell holds an icon of this window with the program's id: modifying nothing
// succeeds only for an icon that exists.
bool hasTrayIcon(HWND w) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = w;
  data.uID = 9999;
  data.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool programHasTrayIcon(const Program& p) {
  if (hasTrayIcon(p.main)) return true;
  for (HWND w : descendants(p.main)) {
    if (hasTrayIcon(w)) return true;
  }
  return false;
}

// The end of the Windows session, as the system announces it.
bool endSession(const Program& p) {
  auto agreed = sendTo(p.main, WM_QUERYENDSESSION, 0, 0);
  check(agreed.has_value() && *agreed != 0, L"the program refused the end of the session");
  sendTo(p.main, WM_ENDSESSION, TRUE, 0);
  return WaitForSingleObject(p.process.h, 10000) == WAIT_OBJECT_0;
}

// ---- scenarios ----------------------------------------------------------------------------

void waitForRows(const Program& p, int n) {
  check(waitFor([&] { return rowCount(p) == n; }),
        L"the list holds " + std::to_wstring(rowCount(p)) + L" rows, not " + std::to_wstring(n));
}

void scenarioList(Program& p) {
  check(waitFor([&] { return IsWindowVisible(p.main) != FALSE; }), L"the window is not visible");
  if (!p.list) return fail(L"no list view in the main window");
  const wchar_t* headers[] = {L"Schedule Name", L"Type", L"Last Run Time", L"Next Run Time",
                              L"Enabled"};
  for (int c = 0; c < 5; ++c) {
    std::wstring got = columnCaption(p, c);
    check(got == headers[c], L"column " + std::to_wstring(c) + L" is " + quoted(got));
  }
  waitForRows(p, static_cast<int>(kCases.size()));
  auto rows = rowsByName(p);
  for (const auto& c : kCases) {
    auto it = rows.find(c.name);
    if (it == rows.end()) {
      fail(L"no row " + quoted(c.name));
      continue;
    }
    Row want = {c.name, c.type, L"", expectedNextRun(c), c.enabled ? L"Yes" : L"No"};
    for (std::size_t i = 1; i < want.size(); ++i) {
      check(it->second[i] == want[i], c.name + L" column " + std::to_wstring(i) + L" is " +
                                          quoted(it->second[i]) + L", not " + quoted(want[i]));
    }
  }
  // Where the window is, for the screenshot the script takes.
  RECT r{};
  GetWindowRect(p.main, &r);
  note(L"window " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
       std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top));
}

void scenarioDelete(Program& p, const std::wstring& folder) {
  if (!p.list) return fail(L"no list view in the main window");
  const int total = static_cast<int>(kCases.size());
  waitForRows(p, total);
  HWND del = buttonByCaption(p.main, L"Delete");
  if (!del) return fail(L"no Delete button");
  check(!IsWindowEnabled(del), L"Delete is enabled before any entry was clicked");

  const ScheduleCase& victim = kCases[2];
  auto row = rowOf(p, victim.name);
  if (!row) return fail(L"no row " + quoted(victim.name));
  check(clickRow(p, *row), L"no rectangle for row " + std::to_wstring(*row));
  check(waitFor([&] { return rowSelected(p, *row); }), L"the clicked row is not selected");
  check(waitFor([&] { return IsWindowEnabled(del) != FALSE; }),
        L"Delete stays disabled after a click on an entry");

  PostMessageW(del, BM_CLICK, 0, 0);
  if (!answerMessageBox(p, L"Really delete?", IDNO)) return;
  std::this_thread::sleep_for(300ms);
  check(fileExists(scheduleFile(folder, victim.name)), L"No deleted the file");
  check(rowCount(p) == total, L"No changed the list");

  PostMessageW(del, BM_CLICK, 0, 0);
  if (!answerMessageBox(p, L"Really delete?", IDYES)) return;
  waitForRows(p, total - 1);
  check(!fileExists(scheduleFile(folder, victim.name)), L"Yes left the file in place");
  check(!rowOf(p, victim.name), L"the deleted entry is still listed");
  check(rowOf(p, kCases[0].name).has_value(), L"another entry went with the deleted one");
  check(waitFor([&] { return !IsWindowEnabled(del); }), L"Delete stays enabled after deleting");
}

// Sets a date and time picker of the program as the user would pick a value.
bool setPicker(const Program& p, HWND picker, const SYSTEMTIME& st) {
  RemoteMemory mem(p.process.h, sizeof(SYSTEMTIME));
  if (!mem || !mem.write(0, &st, sizeof(st))) return false;
  return sendTo(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(mem.at()))
      .value_or(0);
}

// New, the wizard filled in as a user would (a name, the start switched on, a date decades
// ahead so that nothing can fall due), OK: the schedule is saved and listed with its next run.
void scenarioWizard(Program& p, const std::wstring& folder) {
  if (!p.list) return fail(L"no list view in the main window");
  const int total = static_cast<int>(kCases.size());
  waitForRows(p, total);
  HWND newButton = buttonByCaption(p.main, L"New Schedule");
  if (!newButton) return fail(L"no New Schedule button");
  PostMessageW(newButton, BM_CLICK, 0, 0);
  HWND wizard = nullptr;
  const std::wstring cls = className(p.main);
  if (!waitFor([&] {
        return (wizard = topLevelWindow(p.pid, cls.c_str(), L"Schedule Configuration")) != nullptr &&
               IsWindowVisible(wizard);
      })) {
    return fail(L"New opened no visible \"Schedule Configuration\" window");
  }

  HWND name = nullptr, date = nullptr, time = nullptr;
  for (HWND w : descendants(wizard)) {
    if (className(w) == L"Edit" && GetParent(w) == wizard && !name) name = w;
    if (className(w) == L"SysDateTimePick32") {
      (GetWindowLongW(w, GWL_STYLE) & DTS_TIMEFORMAT) == DTS_TIMEFORMAT ? time = w : date = w;
    }
  }
  HWND enable = buttonByCaption(wizard, L"Enable Scheduler");
  HWND ok = buttonByCaption(wizard, L"OK");
  if (!name || !date || !time || !enable || !ok) return fail(L"the wizard lacks a control");

  const ScheduleCase made{L"Made by the wizard", L"Shut Down", true, 2098, 6, 15, L"06:30:00",
                          L"0", L"0", L""};
  sendTo(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(made.name.c_str()));
  PostMessageW(enable, BM_CLICK, 0, 0);
  check(waitFor([&] { return IsWindowEnabled(date) != FALSE; }),
        L"Enable Scheduler left the start disabled");
  SYSTEMTIME day{};
  day.wYear = made.year;
  day.wMonth = made.month;
  day.wDay = made.day;
  SYSTEMTIME at = day;
  at.wHour = 6;
  at.wMinute = 30;
  check(setPicker(p, date, day), L"the date picker refused the date");
  check(setPicker(p, time, at), L"the time picker refused the time");
  PostMessageW(ok, BM_CLICK, 0, 0);
  check(waitFor([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); }),
        L"OK left the wizard open");

  waitForRows(p, total + 1);
  auto rows = rowsByName(p);
  auto it = rows.find(made.name);
  if (it == rows.end()) return fail(L"the new schedule is not listed");
  Row want = {made.name, made.type, L"", expectedNextRun(made), L"Yes"};
  for (std::size_t i = 1; i < want.size(); ++i) {
    check(it->second[i] == want[i], L"column " + std::to_wstring(i) + L" is " +
                                        quoted(it->second[i]) + L", not " + quoted(want[i]));
  }
  check(fileExists(scheduleFile(folder, made.name)), L"the wizard wrote no schedule file");
}

std::string fileBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

bool checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The visible top-level window of the program with this title.
HWND openedWindow(const Program& p, const std::wstring& title) {
  HWND w = nullptr;
  const std::wstring cls = className(p.main);
  waitFor([&] { return (w = topLevelWindow(p.pid, cls.c_str(), title)) && IsWindowVisible(w); });
  return w && IsWindowVisible(w) ? w : nullptr;
}

// The menu command of the main window with this caption.
std::optional<UINT> menuCommand(HMENU menu, const std::wstring& caption) {
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    if (caption == text) return GetMenuItemID(menu, i);
    if (auto inner = menuCommand(GetSubMenu(menu, i), caption)) return inner;
  }
  return std::nullopt;
}

// Every window opened a second time in one run: Edit on two schedules in a row and on the
// first again, OK each time without a change, leaves every file as it was; an option ticked,
// the options closed and opened again, is still ticked and stored.
void scenarioReopen(Program& p, const std::wstring& folder, const std::wstring& exe) {
  if (!p.list) return fail(L"no list view in the main window");
  waitForRows(p, static_cast<int>(kCases.size()));
  std::map<std::wstring, std::string> before;
  for (const auto& c : kCases) before[c.name] = fileBytes(scheduleFile(folder, c.name));
  for (const wchar_t* name : {L"Weekly shutdown", L"Daily standby", L"Weekly shutdown"}) {
    const auto row = rowOf(p, name);
    if (!row) return fail(std::wstring(name) + L" is not listed");
    clickRow(p, *row);
    check(waitFor([&] { return rowSelected(p, *row); }), L"the click selected no row");
    HWND edit = buttonByCaption(p.main, L"Edit");
    check(waitFor([&] { return IsWindowEnabled(edit) != FALSE; }), L"Edit stays disabled");
    PostMessageW(edit, BM_CLICK, 0, 0);
    HWND wizard = openedWindow(p, L"Schedule Configuration");
    if (!wizard) return fail(L"Edit opened no wizard for " + quoted(name));
    check(checked(buttonByCaption(wizard, L"Enable Scheduler")),
          L"\"Enable Scheduler\" is clear for " + quoted(name));
    check(checked(buttonByCaption(wizard, L"Run Schedule")),
          L"\"Run Schedule\" is clear for " + quoted(name));
    PostMessageW(buttonByCaption(wizard, L"OK"), BM_CLICK, 0, 0);
    check(waitFor([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); }),
          L"OK left the wizard open");
    for (const auto& [file, bytes] : before) {
      check(fileBytes(scheduleFile(folder, file)) == bytes,
            L"the file of " + quoted(file) + L" changed after editing " + quoted(name));
    }
  }

  // Wine keeps a menu's items in the process that made it; there the command is the one the
  // form layer numbers for the sixth row of the menu table (the window then proves it).
  const auto command = menuCommand(GetMenu(p.main), L"General Preferences").value_or(20005);
  const std::wstring caption = L"Open minimized to the system Tray";
  for (int round = 0; round < 2; ++round) {
    PostMessageW(p.main, WM_COMMAND, command, 0);
    HWND options = nullptr;
    waitFor([&] {
      for (HWND w : topLevelWindows()) {
        if (IsWindowVisible(w) && buttonByCaption(w, caption)) options = w;
      }
      return options != nullptr;
    });
    if (!options) return fail(L"the options did not open");
    HWND box = buttonByCaption(options, caption);
    if (round == 0) {
      check(!checked(box), L"the box is ticked on a clean machine");
      PostMessageW(box, BM_CLICK, 0, 0);
      check(waitFor([&] { return checked(box); }), L"the click did not tick the box");
    } else {
      check(checked(box), L"the box shows clear when the options open again");
    }
    PostMessageW(options, WM_SYSCOMMAND, SC_CLOSE, 0);
    check(waitFor([&] { return !IsWindow(options); }), L"the options did not close");
    wchar_t value[8] = {};
    DWORD size = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, settingsKeys(exe).section().c_str(), L"chkMin", RRF_RT_REG_SZ,
                 nullptr, value, &size);
    check(std::wstring(value) == L"1", L"chkMin is stored as " + quoted(value));
  }
}

// The program's name: the main window's title up to " by ".
std::wstring programName(const std::wstring& title) { return title.substr(0, title.find(L" by ")); }

void scenarioCloseToTray(Program& p, const std::wstring& title, const std::wstring& exe) {
  // Read at the close: this time the notice is wanted.
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, settingsKeys(exe).section().c_str(), L"chkNoShow");
  check(waitFor([&] { return IsWindowVisible(p.main) != FALSE; }), L"the window is not visible");
  check(waitFor([&] { return programHasTrayIcon(p); }), L"no tray icon before closing");
  // The close box, as a user presses it (a bare WM_CLOSE would come from the task manager).
  PostMessageW(p.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  check(waitFor([&] { return !IsWindowVisible(p.main); }), L"the window did not hide");
  const std::wstring noticeTitle = programName(title) + L" is still running";
  HWND notice = nullptr;
  check(waitFor([&] {
          notice = topLevelWindow(p.pid, L"QuenmarkForm", noticeTitle);
          return notice && IsWindowVisible(notice);
        }),
        L"no notice " + quoted(noticeTitle) + L" after closing");
  std::this_thread::sleep_for(1s);
  check(alive(p.process.h), L"the program ended when its window was closed");
  check(IsWindow(p.main) != FALSE, L"the main window was destroyed");
  check(programHasTrayIcon(p), L"no tray icon after closing");
}

// Starts a copy of the program; false when it cannot be started.
bool startProgram(const std::wstring& exe, PROCESS_INFORMATION& pi) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  std::wstring cmd = quoted(exe);
  if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                     &pi)) {
    return true;
  }
  fail(L"cannot start " + exe);
  return false;
}

void scenarioSecondInstance(Program& p, const std::wstring& exe) {
  PROCESS_INFORMATION pi{};
  if (!startProgram(exe, pi)) return;
  Handle second(pi.hProcess), thread(pi.hThread);
  auto t0 = Clock::now();
  DWORD r = WaitForSingleObject(pi.hProcess, 15000);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
  check(r == WAIT_OBJECT_0, L"the second instance is still running");
  if (r != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  note(L"second instance ended after " + std::to_wstring(ms) + L" ms");
  check(alive(p.process.h), L"the first instance ended");
  check(IsWindow(p.main) && IsWindowVisible(p.main), L"the first instance's window went");
  check(windowsTitled(windowText(p.main)) == 1, L"more than one main window");
}

// Every window of a class in the session, top-level or child: the shell parents its icon
// windows to the notification area only while they are shown there.
std::vector<HWND> windowsOfClass(const wchar_t* cls) {
  std::vector<HWND> all = topLevelWindows(), found;
  for (HWND top : std::vector<HWND>(all)) {
    for (HWND child : descendants(top)) all.push_back(child);
  }
  for (HWND w : all) {
    if (className(w) == cls) found.push_back(w);
  }
  return found;
}

// The tray menu's last item, "Exit", chosen as a user does it: a right click on the icon in
// the notification area opens the menu, Up wraps round to the last item, Enter chooses it.
void scenarioTrayExit(Program& p) {
  check(waitFor([&] { return programHasTrayIcon(p); }), L"no tray icon");
  PostMessageW(p.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  check(waitFor([&] { return !IsWindowVisible(p.main); }), L"the window did not hide");
  // Without a desktop of its own, Wine's X11 driver keeps one window per icon; its shell's
  // taskbar draws the icons itself, from the right end. Either relays a click to the owner.
  auto icons = windowsOfClass(L"__winex11_tray_icon");
  for (HWND w : windowsOfClass(L"__wine_tray_icon")) icons.push_back(w);
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (icons.size() == 1) {
    PostMessageW(icons[0], WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
  } else if (icons.empty() && taskbar && IsWindowVisible(taskbar)) {
    RECT rc{};
    GetClientRect(taskbar, &rc);
    const int slot = GetSystemMetrics(SM_CXSMICON) + 4;  // an icon and its border
    PostMessageW(taskbar, WM_RBUTTONUP, 0, MAKELPARAM(rc.right - slot / 2, rc.bottom / 2));
  } else {
    return fail(std::to_wstring(icons.size()) + L" icon windows and no taskbar");
  }
  HWND menu = nullptr;
  if (!waitFor([&] {
        menu = topLevelWindow(p.pid, L"#32768", L"");
        return menu && IsWindowVisible(menu);
      })) {
    return fail(L"no pop-up menu after a right click on the icon");
  }
  PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  check(WaitForSingleObject(p.process.h, 10000) == WAIT_OBJECT_0,
        L"the program still runs after Exit in its tray menu");
}

void scenarioEndSession(Program& p) {
  check(endSession(p), L"the program still runs after the end of the session");
}

// Starts the program itself, to see its first window: the splash window, titled with the
// program's name, shown before the main window, which it then gives way to.
void scenarioSplash(const std::wstring& title, const std::wstring& exe) {
  PROCESS_INFORMATION pi{};
  if (!startProgram(exe, pi)) return;
  Handle process(pi.hProcess), thread(pi.hThread);
  const auto t0 = Clock::now();
  HWND splash = nullptr;
  bool mainFirst = false;
  check(waitFor(
            [&] {
              splash = topLevelWindow(pi.dwProcessId, L"QuenmarkForm", programName(title));
              if (FindWindowW(nullptr, title.c_str())) mainFirst = true;
              return (splash && IsWindowVisible(splash)) || mainFirst;
            },
            20s),
        L"no splash window");
  check(!mainFirst, L"the main window came before the splash window");
  const auto seen = Clock::now();
  HWND main = nullptr;
  check(waitFor([&] { return (main = FindWindowW(nullptr, title.c_str())) && IsWindowVisible(main); },
                20s),
        L"no main window after the splash window");
  const auto ready = Clock::now();
  check(waitFor([&] { return !splash || !IsWindowVisible(splash); }),
        L"the splash window is still shown");
  auto ms = [](auto d) { return std::chrono::duration_cast<std::chrono::milliseconds>(d).count(); };
  note(L"splash seen after " + std::to_wstring(ms(seen - t0)) + L" ms, main window after " +
       std::to_wstring(ms(ready - t0)) + L" ms");
}

// ---- the command line --------------------------------------------------------------------

struct Ran {
  DWORD code = 9999;
  std::wstring out;
};

// The output of a start, as the program wrote it: in the console's code page when it found
// one to attach to, as this driver's own.
std::wstring decodeOutput(const std::string& bytes) {
  UINT cp = GetConsoleOutputCP();
  if (!cp) cp = CP_UTF8;
  int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

// Starts `commandLine` with its output into a file, as "> file" does, and waits for it.
Ran runWithOutput(const std::wstring& commandLine, const std::wstring& folder) {
  Ran ran;
  const std::wstring outPath = folder + L"\\cli-out.txt";
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    fail(L"cannot make " + outPath);
    return ran;
  }
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  const BOOL started =
      CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(out);
  if (!started) {
    fail(L"cannot start " + commandLine);
    return ran;
  }
  Handle process(pi.hProcess), thread(pi.hThread);
  if (WaitForSingleObject(pi.hProcess, 40000) != WAIT_OBJECT_0) {
    fail(commandLine + L" did not end");
    TerminateProcess(pi.hProcess, 99);
    return ran;
  }
  GetExitCodeProcess(pi.hProcess, &ran.code);
  ran.out = decodeOutput(fileBytes(outPath));
  return ran;
}

Ran quenmark(const std::wstring& exe, const std::wstring& args) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  Ran ran = runWithOutput(quoted(exe) + L" " + args, folder);
  note(L"Quenmark.exe " + args + L" -> " + std::to_wstring(ran.code));
  return ran;
}

void expectCode(const Ran& ran, DWORD code, const std::wstring& what) {
  check(ran.code == code, what + L" ended with " + std::to_wstring(ran.code) + L", not " +
                              std::to_wstring(code) + L"; it printed: " + ran.out);
}

std::vector<std::wstring> outputLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find(L"\r\n", at);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

const std::wstring kListHeader = L"Name\tAction\tNext run\tEnabled";

// The lines /list prints for what the window lists, header first, rows sorted.
std::vector<std::wstring> windowListLines(const Program& p) {
  std::vector<std::wstring> lines;
  for (const auto& [name, row] : rowsByName(p)) {
    lines.push_back(row[0] + L"\t" + row[1] + L"\t" + row[3] + L"\t" + row[4]);
  }
  lines.insert(lines.begin(), kListHeader);
  return lines;
}

std::vector<std::wstring> sortedRows(std::vector<std::wstring> lines) {
  if (!lines.empty()) std::sort(lines.begin() + 1, lines.end());
  return lines;
}

// A schedule file outside the data folder, for /add.
std::wstring fileToAdd(const std::wstring& folder, const ScheduleCase& c) {
  CreateDirectoryW((folder + L"\\in").c_str(), nullptr);
  const std::wstring path = folder + L"\\in\\" + c.name + L".sch";
  check(writeAnsiFile(path, fileText(c)), L"writing " + path);
  return path;
}

const ScheduleCase kAdded{L"Added by a script", L"Reboot", true, 2096, 3, 4,
                          L"05:00:00",          L"0",      L"0", L""};

HWND preventBox(const Program& p) {
  return buttonByCaption(p.main, L"Prevent any schedules from running");
}

// With the program running, each switch changes what its window shows.
void scenarioCommandLine(Program& p, const std::wstring& folder, const std::wstring& exe) {
  if (!p.list) return fail(L"no list view in the main window");
  const int total = static_cast<int>(kCases.size());
  waitForRows(p, total);

  const Ran quick = quenmark(exe, L"/s /t 3600");
  expectCode(quick, 0, L"/s /t 3600");
  waitForRows(p, total + 1);
  bool shown = false;
  for (const auto& [name, row] : rowsByName(p)) {
    if (name.rfind(L"Quick Schedule ", 0) == 0 && row[1] == L"Shut Down" && row[4] == L"Yes" &&
        !row[3].empty()) {
      shown = quick.out.find(name + L"\tShut Down\t" + row[3]) != std::wstring::npos;
    }
  }
  check(shown, L"the quick entry /s made is not the one its answer names: " + quick.out);

  const Ran list = quenmark(exe, L"/list");
  expectCode(list, 0, L"/list");
  auto printed = outputLines(list.out);
  if (!printed.empty() && printed.back().empty()) printed.pop_back();
  check(sortedRows(printed) == windowListLines(p),
        L"/list printed what the window does not list:\n" + list.out);

  expectCode(quenmark(exe, L"/a"), 0, L"/a");
  waitForRows(p, total);

  expectCode(quenmark(exe, quoted(fileToAdd(folder, kAdded))), 1, L"a file without /add");
  expectCode(quenmark(exe, L"/add " + quoted(fileToAdd(folder, kAdded))), 0, L"/add");
  waitForRows(p, total + 1);
  check(rowOf(p, kAdded.name).has_value(), L"the added schedule is not listed");
  check(fileExists(scheduleFile(folder, kAdded.name)), L"/add wrote no schedule file");
  ScheduleCase taken = kCases[0];
  taken.name = L"WEEKLY SHUTDOWN";
  expectCode(quenmark(exe, L"/add " + quoted(fileToAdd(folder, taken))), 3,
             L"/add of a taken name");
  check(rowCount(p) == total + 1, L"the taken name was listed");

  HWND box = preventBox(p);
  if (!box) return fail(L"no \"Prevent any schedules from running\" box");
  expectCode(quenmark(exe, L"/pause"), 0, L"/pause");
  check(waitFor([&] { return checked(box); }), L"/pause left the box clear");
  expectCode(quenmark(exe, L"/resume"), 0, L"/resume");
  check(waitFor([&] { return !checked(box); }), L"/resume left the box ticked");

  const Ran bad = quenmark(exe, L"/shutdown-now");
  expectCode(bad, 1, L"an unknown switch");
  check(bad.out.find(L"Not understood: /shutdown-now") == 0 &&
            bad.out.find(L"Exit codes:") != std::wstring::npos,
        L"no usage after an unknown switch: " + bad.out);

  // Through cmd's own redirection, as a script writes it.
  const std::wstring outFile = folder + L"\\out.txt";
  const Ran viaCmd = runWithOutput(
      L"cmd.exe /c \"" + quoted(exe) + L" /list > " + quoted(outFile) + L"\"", folder);
  expectCode(viaCmd, 0, L"cmd /c Quenmark.exe /list > out.txt");
  const auto written = outputLines(decodeOutput(fileBytes(outFile)));
  check(!written.empty() && written[0] == kListHeader,
        L"out.txt does not start with the list's header: " + decodeOutput(fileBytes(outFile)));
}

// With no program running: the file switches act on the data folder, /a has nothing to act
// on, and /pause starts the program in the tray first.
void scenarioCommandLineAlone(const std::wstring& title, const std::wstring& exe) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  const Ran list = quenmark(exe, L"/list");
  expectCode(list, 0, L"/list");
  std::vector<std::wstring> want{kListHeader};
  for (const auto& c : kCases) {
    want.push_back(c.name + L"\t" + c.type + L"\t" + expectedNextRun(c) + L"\t" +
                   (c.enabled ? L"Yes" : L"No"));
  }
  auto printed = outputLines(list.out);
  if (!printed.empty() && printed.back().empty()) printed.pop_back();
  check(sortedRows(printed) == sortedRows(want), L"/list printed " + list.out);

  expectCode(quenmark(exe, L"/add " + quoted(fileToAdd(folder, kAdded))), 0, L"/add");
  check(fileExists(scheduleFile(folder, kAdded.name)), L"/add wrote no schedule file");
  check(quenmark(exe, L"/list").out.find(kAdded.name + L"\tReboot") != std::wstring::npos,
        L"/list does not show the added schedule");
  expectCode(quenmark(exe, L"/a"), 6, L"/a with nothing running");
  check(!FindWindowW(nullptr, title.c_str()), L"a switch on the files started the program");

  expectCode(quenmark(exe, L"/pause"), 0, L"/pause with nothing running");
  Program p;
  if (!attach(p, title)) return;
  check(!IsWindowVisible(p.main), L"the program /pause started shows its window");
  check(checked(preventBox(p)), L"the program /pause started is not paused");
  HWND splash = topLevelWindow(p.pid, L"QuenmarkForm", programName(title));
  check(!splash || !IsWindowVisible(splash), L"the program /pause started shows its splash");
}

int finish(const std::wstring& title, const std::wstring& exe) {
  if (HWND w = FindWindowW(nullptr, title.c_str())) {
    Program p;
    p.main = w;
    GetWindowThreadProcessId(w, &p.pid);
    p.process.h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, p.pid);
    if (p.process.h && !endSession(p)) {
      note(L"ending the program by force");
      TerminateProcess(p.process.h, 1);
      WaitForSingleObject(p.process.h, 5000);
    }
  }
  removeSettings(settingsKeys(exe));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  auto usage = [] {
    std::fwprintf(stderr,
                  L"usage: e2e_driver prepare EXE FOLDER | finish TITLE EXE |\n"
                  L"       e2e_driver "
                  L"splash|list|delete|wizard|reopen|close|second|trayexit|endsession|cli|clialone "
                  L"TITLE EXE\n");
    return 2;
  };
  if (args.size() != 3) return usage();
  if (args[0] == L"prepare") return prepare(args[1], args[2]);
  if (args[0] == L"finish") return finish(args[1], args[2]);

  const std::wstring& title = args[1];
  const std::wstring& exe = args[2];
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  if (args[0] == L"splash") {
    scenarioSplash(title, exe);
    return failures ? 1 : 0;
  }
  if (args[0] == L"clialone") {
    scenarioCommandLineAlone(title, exe);
    return failures ? 1 : 0;
  }
  Program p;
  if (!attach(p, title)) return 1;
  if (args[0] == L"list") {
    scenarioList(p);
  } else if (args[0] == L"delete") {
    scenarioDelete(p, folder);
  } else if (args[0] == L"wizard") {
    scenarioWizard(p, folder);
  } else if (args[0] == L"reopen") {
    scenarioReopen(p, folder, exe);
  } else if (args[0] == L"close") {
    scenarioCloseToTray(p, title, exe);
  } else if (args[0] == L"second") {
    scenarioSecondInstance(p, exe);
  } else if (args[0] == L"endsession") {
    scenarioEndSession(p);
  } else if (args[0] == L"trayexit") {
    scenarioTrayExit(p);
  } else if (args[0] == L"cli") {
    scenarioCommandLine(p, folder, exe);
  } else {
    return usage();
  }
  return failures ? 1 : 0;
}
