#pragma once

namespace quenmark {

// A window timer as the scheduler drives it: switched on and off, with an interval in ms.
// The form layer's timers implement it; tests use a plain recording one.
class TimerSwitch {
 public:
  virtual ~TimerSwitch() = default;
  virtual void setEnabled(bool on) = 0;
  virtual bool enabled() const = 0;
  virtual void setInterval(int ms) = 0;
  virtual int interval() const = 0;
};

}  // namespace quenmark
