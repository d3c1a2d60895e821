#include "gui/timer.h"

#include "gui/form.h"

namespace quenmark::gui {

Timer::Timer(Form& owner, std::string name, int interval, bool enabled)
    : owner_(owner), name_(std::move(name)), interval_(interval), enabled_(enabled), id_(0) {
  owner_.registerTimer(*this);
}

Timer::~Timer() {
  if (running_ && owner_.hwnd()) KillTimer(owner_.hwnd(), id_);
  owner_.unregisterTimer(*this);
}

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  apply();
}

void Timer::setInterval(int ms) {
  interval_ = ms;
  apply();
}

void Timer::on(Event event, Handler handler) {
  if (event != Event::Timer) throw std::invalid_argument("a timer has only the Timer event");
  handler_ = std::move(handler);
}

void Timer::apply() {
  HWND window = owner_.hwnd();
  if (enabled_ && interval_ > 0 && window) {
    // Setting an existing timer again starts its count afresh.
    running_ = SetTimer(window, id_, static_cast<UINT>(interval_), nullptr) != 0;
  } else if (running_) {
    if (window) KillTimer(window, id_);
    running_ = false;
  }
}

void Timer::tick() {
  if (!enabled_ || !handler_) return;
  EventArgs args;
  handler_(owner_, args);
}

}  // namespace quenmark::gui
