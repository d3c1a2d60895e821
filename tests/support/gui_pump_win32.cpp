#include "support/gui_pump_win32.h"

#include <windows.h>

namespace quenmark::testing {

bool pumpUntil(const gui::Forms& forms, const std::function<bool()>& done,
               std::chrono::milliseconds timeout) {
  auto until = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    gui::doEvents(forms);
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void pumpFor(const gui::Forms& forms, std::chrono::milliseconds period) {
  pumpUntil(
      forms, [] { return false; }, period);
}

}  // namespace quenmark::testing
