#pragma once

#include <windows.h>

#include <string>

#include "gui/control.h"
#include "platform/timer_switch.h"

namespace quenmark::gui {

// A window timer over SetTimer/KillTimer: it ticks while it is enabled, its interval is
// above 0 and its window is loaded. Setting the interval starts the count afresh.
class Timer : public TimerSwitch {
 public:
  Timer(Form& owner, std::string name, int interval = 0, bool enabled = true);
  ~Timer() override;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void setEnabled(bool on) override;
  bool enabled() const override { return enabled_; }
  void setInterval(int ms) override;
  int interval() const override { return interval_; }

  const std::string& name() const { return name_; }
  bool running() const { return running_; }
  void on(Event event, Handler handler);

 private:
  friend class Form;
  void apply();
  void stopped() { running_ = false; }
  void tick();

  Form& owner_;
  std::string name_;
  int interval_;
  bool enabled_;
  bool running_ = false;
  UINT_PTR id_;
  Handler handler_;
};

}  // namespace quenmark::gui
