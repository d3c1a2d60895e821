#include "windows/tray_icon_window.h"

#include "gui/text.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {

namespace {

HICON loadSmallIcon() {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       0));
}

}  // namespace

ShellTrayNotify::ShellTrayNotify(std::function<HWND()> window, UINT callbackMessage, HICON icon)
    : window_(std::move(window)), callbackMessage_(callbackMessage), icon_(icon) {}

bool ShellTrayNotify::notify(TrayOp op, std::uint32_t id, std::uint32_t flags,
                             const std::string& tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_();
  data.uID = id;
  data.uFlags = flags;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  gui::copyToBuffer(widen(tip), data.szTip, static_cast<int>(std::size(data.szTip)));
  DWORD message = op == TrayOp::Add ? NIM_ADD : op == TrayOp::Modify ? NIM_MODIFY : NIM_DELETE;
  return shell32_.Shell_NotifyIconW(message, &data) != FALSE;
}

TrayIconHost::TrayIconHost(gui::Form& window, TimerSwitch& timer, std::string tip, Actions actions,
                           HICON icon)
    : window_(window),
      ownedIcon_(icon ? nullptr : loadSmallIcon()),
      shell_([&window] { return window.hwnd(); }, kCallbackMessage, icon ? icon : ownedIcon_.get()),
      icon_(shell_, timer, std::move(tip)),
      actions_(std::move(actions)),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  window.hookMessage(kCallbackMessage, [this](std::uintptr_t, std::intptr_t lParam) {
    switch (trayMouseAction(static_cast<std::uint32_t>(LOWORD(static_cast<LPARAM>(lParam))))) {
      case TrayMouseAction::ShowMenu:
        if (actions_.showMenu) actions_.showMenu();
        break;
      case TrayMouseAction::ShowWindow:
        if (actions_.showWindow) actions_.showWindow();
        break;
      case TrayMouseAction::None:
        break;
    }
    return std::optional<std::intptr_t>(0);
  });
  if (taskbarCreated_) {
    window.hookMessage(taskbarCreated_, [this](std::uintptr_t, std::intptr_t) {
      icon_.onTaskbarCreated();
      return std::optional<std::intptr_t>(0);
    });
  }
}

TrayIconHost::~TrayIconHost() {
  window_.unhookMessage(kCallbackMessage);
  if (taskbarCreated_) window_.unhookMessage(taskbarCreated_);
}

}  // namespace quenmark::win32
