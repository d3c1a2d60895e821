#pragma once

#include <windows.h>

#include <string>

#include "gui/control.h"

namespace quenmark::gui {

// The common-controls tooltip of one window: a text that shows while the mouse rests on a
// control. The tooltip window belongs to the window it is attached to and goes with it, so a
// window attaches afresh at each load.
class ToolTips {
 public:
  void attach(HWND window);
  // Sets or replaces the tip of a created control.
  void set(const Control& control, const std::string& text);

 private:
  bool ready() const { return window_ && IsWindow(window_); }
  HWND window_ = nullptr;
};

}  // namespace quenmark::gui
