#pragma once

#include <windows.h>

#include "power/suspend_blocker.h"

namespace quenmark::win32 {

// The window procedure the blocker installs. The blocker it serves is found through a
// window property, so every blocker keeps its own state.
LRESULT CALLBACK SuspendBlockerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclassing by SetWindowLongPtrW(GWLP_WNDPROC), handing on by CallWindowProcW.
class WindowProcSubclass : public WindowProcSeam {
 public:
  WindowProcAddress install(WindowHandle window, SuspendBlocker& blocker) override;
  void restore(WindowHandle window, WindowProcAddress previous) override;
  std::intptr_t callPrevious(WindowProcAddress previous, WindowHandle window, std::uint32_t message,
                             std::uintptr_t wParam, std::intptr_t lParam) override;
};

}  // namespace quenmark::win32
