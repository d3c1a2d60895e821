#include "app/command_line_win32.h"

#include <chrono>
#include <optional>
#include <thread>

#include "app/program_win32.h"
#include "base/product_identity.h"
#include "base/text.h"
#include "core/cli/run_request.h"
#include "core/i18n/default_messages.h"
#include "platform/win32/handles.h"
#include "platform/win32/instance_guard_win32.h"
#include "platform/win32/module_path_win32.h"
#include "platform/win32/shell_api_win32.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kReceiverClass[] = L"QuenmarkCommandLine";
constexpr wchar_t kReplyClass[] = L"QuenmarkCommandReply";
// COPYDATASTRUCT.dwData of the two messages; their text carries its own version.
constexpr ULONG_PTR kRequestTag = 0x514D5251;  // "QMRQ"
constexpr ULONG_PTR kReplyTag = 0x514D5250;    // "QMRP"
// How long a start waits for a program that is starting to take requests, and for an answer
// (a confirmation may wait for the user).
constexpr auto kReceiverWait = 20s;
constexpr UINT kAnswerWaitMs = 10 * 60 * 1000;

void registerClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

std::string copiedBytes(LPARAM lParam, ULONG_PTR tag) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!data || data->dwData != tag || (!data->lpData && data->cbData)) return {};
  return std::string(static_cast<const char*>(data->lpData), data->cbData);
}

LRESULT sendCopy(HWND to, HWND from, ULONG_PTR tag, const std::string& bytes, UINT timeoutMs) {
  COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, timeoutMs, &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

// The caller's end: a message-only window that keeps the answer it is sent.
LRESULT CALLBACK replyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* into =
        reinterpret_cast<std::optional<cli::Reply>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (auto reply = cli::decodeReply(copiedBytes(lParam, kReplyTag)); reply && into) {
      *into = std::move(reply);
      return TRUE;
    }
    return FALSE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The request handed to the running program, and its answer; nothing when it gave none.
std::optional<cli::Reply> handOver(HWND receiver, const cli::Request& request) {
  registerClass(kReplyClass, replyProc);
  std::optional<cli::Reply> reply;
  HWND own = CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!own) return std::nullopt;
  SetWindowLongPtrW(own, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
  // A confirmation the program shows may come to the front.
  DWORD pid = 0;
  GetWindowThreadProcessId(receiver, &pid);
  AllowSetForegroundWindow(pid);
  const LRESULT taken =
      sendCopy(receiver, own, kRequestTag, cli::encodeRequest(request), kAnswerWaitMs);
  DestroyWindow(own);
  if (!taken) return std::nullopt;
  return reply;
}

// The receiver of the running program of that instance name; null when there is none.
HWND findCommandReceiver(const std::string& instanceName) {
  return FindWindowExW(HWND_MESSAGE, nullptr, kReceiverClass, widen(instanceName).c_str());
}

HWND waitForReceiver(const std::string& instanceName) {
  const auto until = std::chrono::steady_clock::now() + kReceiverWait;
  for (;;) {
    if (HWND w = findCommandReceiver(instanceName)) return w;
    if (std::chrono::steady_clock::now() > until) return nullptr;
    std::this_thread::sleep_for(50ms);
  }
}

// The program started in the tray, detached from this start's console and output.
bool startInTray() {
  const std::wstring exe = runningModulePathW();
  std::wstring line = L"\"" + exe + L"\" /tray";
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

// Whether this start may show a message box: not where nobody could see it (a service, a
// task that runs whether or not anyone is logged on).
bool desktopVisible() {
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                   &needed) &&
         (flags.dwFlags & WSF_VISIBLE);
}

bool isConsole(HANDLE h) {
  DWORD mode = 0;
  return GetConsoleMode(h, &mode) != FALSE;
}

// The answer where the caller reads it: its redirected output (a file or a pipe, in the
// console's code page), its console, or a message box.
void printOut(const std::string& text, bool failed, const std::string& title) {
  if (text.empty()) return;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const bool redirected = out && out != INVALID_HANDLE_VALUE && !isConsole(out) &&
                          GetFileType(out) != FILE_TYPE_UNKNOWN;
  const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
  const std::wstring wide = widen(text);
  if (redirected) {
    UINT cp = attached ? GetConsoleOutputCP() : 0;
    if (!cp) cp = CP_UTF8;
    const std::string bytes = narrow(wide, cp);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return;
  }
  if (attached) {
    UniqueFile console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    DWORD written = 0;
    // The prompt is back already, since a console does not wait for a windowed program.
    if (console && WriteConsoleW(console.get(), L"\r\n", 2, &written, nullptr) &&
        WriteConsoleW(console.get(), wide.data(), static_cast<DWORD>(wide.size()), &written,
                      nullptr)) {
      return;
    }
  }
  if (desktopVisible()) {
    MessageBoxW(nullptr, wide.c_str(), widen(title).c_str(),
                MB_OK | MB_SETFOREGROUND | (failed ? MB_ICONERROR : MB_ICONINFORMATION));
  }
}

// A window without controls: translating it translates the catalogue's messages alone.
class NoWindow : public TranslatableWindow {
 public:
  std::string name() const override { return "frmCommandLine"; }
  std::vector<TranslatableControl*> controls() override { return {}; }
};

int finish(const cli::Reply& reply, const std::string& title) {
  printOut(reply.text, reply.code != cli::ExitCode::Done, title);
  return static_cast<int>(reply.code);
}

}  // namespace

std::vector<std::string> commandLineArguments(const wchar_t* line) {
  // The program's own name ends at its closing quote, or unquoted at the first blank. A start
  // with nothing after it, every ordinary start, does not load shell32 to split the line.
  const wchar_t* rest = line;
  if (*rest == L'"') {
    ++rest;
    while (*rest && *rest != L'"') ++rest;
    if (*rest) ++rest;
  } else {
    while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
  }
  while (*rest == L' ' || *rest == L'\t') ++rest;
  if (!*rest) return {};
  Shell32Api shell32;
  int n = 0;
  LPWSTR* argv = shell32.CommandLineToArgvW(line, &n);
  std::vector<std::string> args;
  for (int i = 1; argv && i < n; ++i) args.push_back(narrow(argv[i]));
  if (argv) LocalFree(argv);
  return args;
}

int runCommandLine(const std::vector<std::string>& args) {
  Win32Seams seams;
  const cli::Parsed parsed = cli::parseArguments(args);
  const std::string folder = runningProgramFolder();
  if (parsed.request && parsed.request->verb == cli::Verb::Tray) {
    Program program(seams.platform(), seams.http, folder);
    if (!program.start(/*inTray=*/true)) return 0;  // it runs already: nothing to start
    return program.run();
  }

  AppContext app(seams.platform(), folder);
  InitProductIdentity(app.identity, seams.versionInfo);
  SetDefaultMessages(app.languages);
  NoWindow none;
  app.languages.ChangeLanguage(none, app.options.get(Setting::Language));
  const MessageLookup message = [&app](const std::string& key) {
    return app.languages.getMessages(key);
  };
  const std::string programFile = TrimPath(runningModulePath());
  const std::string& title = app.identity.ProgramName;
  if (!parsed.request)
    return finish(cli::badArguments(parsed.notUnderstood, programFile, message), title);
  cli::Request request = *parsed.request;
  if (request.verb == cli::Verb::Help) {
    return finish({cli::ExitCode::Done, cli::usageText(programFile, message)}, title);
  }
  // The running program has a folder of its own: the file is named for it in full.
  if (request.verb == cli::Verb::Add) {
    const std::wstring given = widen(request.operand);
    const DWORD n = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    if (n && GetFullPathNameW(given.c_str(), n, full.data(), nullptr) < n) {
      full.resize(wcslen(full.c_str()));
      request.operand = narrow(full);
    }
  }

  const std::string instance =
      instanceMutexName(app.identity.CompanyName, app.identity.ProgramName);
  const cli::Reply notRunning{cli::ExitCode::NotRunning,
                              cli::exitCodeText(cli::ExitCode::NotRunning, message) + "\r\n"};
  const cli::Where where = cli::whereToRun(request);
  if (!instanceRuns(instance)) {
    switch (where) {
      case cli::Where::ProgramOrHere:
        app.schedules.reload();
        return finish(cli::runRequest(request, app.commands, message), title);
      case cli::Where::RunningProgram:
        return finish(notRunning, title);
      case cli::Where::StartedProgram:
        if (!startInTray()) return finish(notRunning, title);
        break;
      case cli::Where::Here:
        break;
    }
  }
  const HWND receiver = waitForReceiver(instance);
  if (!receiver) return finish(notRunning, title);
  return finish(handOver(receiver, request).value_or(notRunning), title);
}

CommandReceiver::CommandReceiver(const std::string& instanceName, Answer answer)
    : answer_(std::move(answer)) {
  registerClass(kReceiverClass, windowProc);
  hwnd_ = CreateWindowExW(0, kReceiverClass, widen(instanceName).c_str(), 0, 0, 0, 0, 0,
                          HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CommandReceiver::~CommandReceiver() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK CommandReceiver::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
  auto* self = reinterpret_cast<CommandReceiver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const auto request = cli::decodeRequest(copiedBytes(lParam, kRequestTag));
  const auto caller = reinterpret_cast<HWND>(wParam);
  if (!self || !request || !IsWindow(caller)) return FALSE;
  // Nothing may cross into Windows from here: a fault is an answer like any other.
  cli::Reply reply;
  try {
    reply = self->answer_(*request);
  } catch (const std::exception& e) {
    reply = {cli::ExitCode::SystemRefused, std::string(e.what()) + "\r\n"};
  }
  return sendCopy(caller, window, kReplyTag, cli::encodeReply(reply), 5000) ? TRUE : FALSE;
}

}  // namespace quenmark::win32
