#include "core/presentation/tray_icon.h"

#include <utility>

namespace quenmark {

namespace {
// The mouse messages the shell passes on in the callback's lParam.
constexpr std::uint32_t kLButtonUp = 514;
constexpr std::uint32_t kLButtonDblClk = 515;
constexpr std::uint32_t kRButtonUp = 517;
}  // namespace

TrayMouseAction trayMouseAction(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case kLButtonUp:
    case kRButtonUp:
      return TrayMouseAction::ShowMenu;
    case kLButtonDblClk:
      return TrayMouseAction::ShowWindow;
    default:
      return TrayMouseAction::None;
  }
}

TrayIcon::TrayIcon(TrayNotify& shell, TimerSwitch& timer, std::string tip)
    : shell_(shell), timer_(timer), tip_(std::move(tip)) {}

void TrayIcon::refresh() {
  wanted_ = true;
  if (shell_.notify(TrayOp::Modify, tray::kIconId, tray::kTip, tip_)) {
    timer_.setInterval(kTrayRefreshMs);
    return;
  }
  bool added =
      shell_.notify(TrayOp::Add, tray::kIconId, tray::kMessage | tray::kIcon | tray::kTip, tip_);
  timer_.setInterval(added ? kTrayRefreshMs : kTrayRetryMs);
}

void TrayIcon::onTaskbarCreated() {
  if (wanted_) refresh();
}

void TrayIcon::remove() {
  wanted_ = false;
  shell_.notify(TrayOp::Delete, tray::kIconId, 0, tip_);
}

}  // namespace quenmark
