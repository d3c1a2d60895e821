#include "gui/forms.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/form.h"
#include "gui/text.h"
#include "platform/win32/com_api_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::gui {

namespace {

template <class Fn>
Fn lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through void (*)(): the one function-pointer cast GCC accepts between unrelated types.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

DpiApi DpiApi::load() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  DpiApi api;
  api.getDpiForWindow = lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow");
  api.getDpiForSystem = lookup<GetDpiForSystemFn>(user32, "GetDpiForSystem");
  api.systemParametersInfoForDpi =
      lookup<SystemParametersInfoForDpiFn>(user32, "SystemParametersInfoForDpi");
  api.adjustWindowRectExForDpi =
      lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
  return api;
}

UINT DpiApi::systemDpi() const {
  if (getDpiForSystem) return getDpiForSystem();
  const win32::WindowDc screen(nullptr);
  int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiApi::windowDpi(HWND window) const {
  if (getDpiForWindow && window) {
    UINT dpi = getDpiForWindow(window);
    if (dpi) return dpi;
  }
  return systemDpi();
}

Forms::Forms() : instance_(GetModuleHandleW(nullptr)), dpi_(DpiApi::load()) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                            ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                            ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Form::windowProc;
  wc.hInstance = instance_;
  wc.lpszClassName = windowClass();
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  // A second Forms in the same process (tests) finds the class already there.
  RegisterClassExW(&wc);
}

Forms::~Forms() = default;

win32::AccessibilityApi& Forms::accessibility() {
  if (!accessibility_) accessibility_ = std::make_unique<win32::AccessibilityApi>();
  return *accessibility_;
}

HRESULT Forms::startOle() {
  if (!ole_) ole_ = std::make_unique<win32::OleSession>();
  return ole_->result();
}

Form* Forms::find(std::string_view name) const {
  for (Form* f : loaded_) {
    if (sameName(f->name(), name)) return f;
  }
  return nullptr;
}

void Forms::reportError(const std::string& message) const {
  if (onError_) {
    onError_(message);
  } else {
    OutputDebugStringW(win32::widen(message + "\n").c_str());
  }
}

void Forms::added(Form& form) { loaded_.push_back(&form); }

void Forms::removed(Form& form) {
  auto it = std::find(loaded_.begin(), loaded_.end(), &form);
  if (it == loaded_.end()) return;
  loaded_.erase(it);
  if (loaded_.empty() && quitWhenEmpty_) PostQuitMessage(0);
}

bool Forms::preTranslate(MSG& msg) const {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  for (Form* f : loaded_) {
    if (f->hwnd() != root) continue;
    if (msg.message == WM_KEYDOWN && f->arrowInOptionGroup(msg.hwnd, msg.wParam)) return true;
    return IsDialogMessageW(root, &msg) != FALSE;
  }
  return false;
}

int run(Forms& forms) {
  forms.setQuitWhenEmpty(true);
  if (forms.empty()) return 0;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (forms.preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void doEvents(const Forms& forms) {
  MSG msg;
  std::optional<WPARAM> quit;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = msg.wParam;
      break;
    }
    if (forms.preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(*quit));
}

bool appActivate(const std::string& title) {
  HWND window = FindWindowW(nullptr, win32::widen(title).c_str());
  if (!window) return false;
  SetForegroundWindow(window);
  SetActiveWindow(window);
  return true;
}

}  // namespace quenmark::gui
