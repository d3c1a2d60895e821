#include "power/suspend_blocker_win32.h"

namespace quenmark::win32 {

namespace {
constexpr const wchar_t* kBlockerProperty = L"Quenmark.SuspendBlocker";

HWND handle(WindowHandle window) { return reinterpret_cast<HWND>(window); }
}  // namespace

LRESULT CALLBACK SuspendBlockerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* blocker = static_cast<SuspendBlocker*>(GetPropW(window, kBlockerProperty));
  if (!blocker) return DefWindowProcW(window, message, wParam, lParam);
  return blocker->SuspendBlockerProc(reinterpret_cast<WindowHandle>(window), message, wParam,
                                     lParam);
}

WindowProcAddress WindowProcSubclass::install(WindowHandle window, SuspendBlocker& blocker) {
  HWND w = handle(window);
  if (!w || !IsWindow(w)) return 0;
  // The property first: a message may arrive as soon as the procedure is in place.
  if (!SetPropW(w, kBlockerProperty, &blocker)) return 0;
  LONG_PTR previous =
      SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SuspendBlockerProc));
  if (!previous) RemovePropW(w, kBlockerProperty);
  return previous;
}

void WindowProcSubclass::restore(WindowHandle window, WindowProcAddress previous) {
  HWND w = handle(window);
  if (!w || !IsWindow(w)) return;
  SetWindowLongPtrW(w, GWLP_WNDPROC, previous);
  RemovePropW(w, kBlockerProperty);
}

std::intptr_t WindowProcSubclass::callPrevious(WindowProcAddress previous, WindowHandle window,
                                               std::uint32_t message, std::uintptr_t wParam,
                                               std::intptr_t lParam) {
  if (!previous) return DefWindowProcW(handle(window), message, wParam, lParam);
  return CallWindowProcW(reinterpret_cast<WNDPROC>(previous), handle(window), message, wParam,
                         lParam);
}

}  // namespace quenmark::win32
