#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/presentation/tray_icon.h"
#include "gui/form.h"
#include "platform/win32/handles.h"
#include "platform/win32/shell_api_win32.h"

namespace quenmark::win32 {

// The notification area through Shell_NotifyIconW, for an icon identified by a window and
// an id (not a GUID: a portable program moves).
class ShellTrayNotify : public TrayNotify {
 public:
  // `window` is asked for its handle at each call, since the icon may be set up before its
  // window exists.
  ShellTrayNotify(std::function<HWND()> window, UINT callbackMessage, HICON icon);
  bool notify(TrayOp op, std::uint32_t id, std::uint32_t flags, const std::string& tip) override;

 private:
  std::function<HWND()> window_;
  UINT callbackMessage_;
  HICON icon_;
  Shell32Api shell32_;
};

// The tray icon of a window: the shell calls, the callback message and the shell's
// "TaskbarCreated" broadcast, routed to the core's rules. The window owns the tray timer;
// its handler calls icon().refresh(), and its unload icon().remove().
class TrayIconHost {
 public:
  // The icon's callback message: any private message will do.
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  struct Actions {
    std::function<void()> showMenu;    // a button released over the icon
    std::function<void()> showWindow;  // a left double click
  };

  // `icon` null: the program's own icon (resource 1) at the small icon size.
  TrayIconHost(gui::Form& window, TimerSwitch& timer, std::string tip, Actions actions,
               HICON icon = nullptr);
  ~TrayIconHost();
  TrayIconHost(const TrayIconHost&) = delete;
  TrayIconHost& operator=(const TrayIconHost&) = delete;

  TrayIcon& icon() { return icon_; }
  UINT taskbarCreatedMessage() const { return taskbarCreated_; }

 private:
  gui::Form& window_;
  win32::UniqueIcon ownedIcon_;
  ShellTrayNotify shell_;
  TrayIcon icon_;
  Actions actions_;
  UINT taskbarCreated_;
};

}  // namespace quenmark::win32
