#pragma once

#include "platform/timer_switch.h"

namespace quenmark::testing {

// A timer that only remembers how it was set; the test calls the handlers itself.
class FakeTimer : public TimerSwitch {
 public:
  void setEnabled(bool on) override { on_ = on; }
  bool enabled() const override { return on_; }
  void setInterval(int ms) override { ms_ = ms; }
  int interval() const override { return ms_; }

 private:
  bool on_ = false;
  int ms_ = 0;
};

}  // namespace quenmark::testing
