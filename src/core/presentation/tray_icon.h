#pragma once

#include <cstdint>
#include <string>

#include "base/timer_intervals.h"
#include "platform/timer_switch.h"

namespace quenmark {

// Shell_NotifyIcon's operations, with the values Windows gives them.
enum class TrayOp { Add = 0, Modify = 1, Delete = 2 };

namespace tray {
// uFlags bits: which parts of the record a call carries.
inline constexpr std::uint32_t kMessage = 1;  // NIF_MESSAGE
inline constexpr std::uint32_t kIcon = 2;     // NIF_ICON
inline constexpr std::uint32_t kTip = 4;      // NIF_TIP
inline constexpr std::uint32_t kIconId = 9999;
}  // namespace tray

// The notification area as the tray icon sees it: one Shell_NotifyIcon call for the
// program's icon. The window, callback message and icon handle belong to the Win32 side.
class TrayNotify {
 public:
  virtual ~TrayNotify() = default;
  // True when the shell accepted the call.
  virtual bool notify(TrayOp op, std::uint32_t id, std::uint32_t flags, const std::string& tip) = 0;
};

// What a mouse message arriving through the icon's callback asks for.
enum class TrayMouseAction { None, ShowMenu, ShowWindow };

// Button releases open the pop-up menu, a left double click brings the window back, and
// everything else (moves, button downs, unknown messages) does nothing.
TrayMouseAction trayMouseAction(std::uint32_t mouseMessage);

// The program's icon in the notification area: installed and kept alive by the tray timer,
// removed at unload.
class TrayIcon {
 public:
  // `timer` is the tray timer, whose interval the refresh sets; `tip` the program name.
  TrayIcon(TrayNotify& shell, TimerSwitch& timer, std::string tip);

  // The tray timer's work: touch the icon if it is there, add it if not.
  void refresh();
  // The shell's notification area was created anew (Explorer restarted): the icon is gone
  // from it, so bring it back at once rather than at the next tick.
  void onTaskbarCreated();
  void remove();

  // Whether the program wants its icon shown (from the first refresh to the removal).
  bool wanted() const { return wanted_; }
  const std::string& tip() const { return tip_; }

 private:
  TrayNotify& shell_;
  TimerSwitch& timer_;
  std::string tip_;
  bool wanted_ = false;
};

}  // namespace quenmark
