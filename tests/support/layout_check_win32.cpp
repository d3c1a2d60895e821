#include "support/layout_check_win32.h"

#include <utility>

namespace quenmark::testing {

std::vector<std::string> layoutFaults(gui::Form& window) {
  std::vector<std::string> faults;
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  std::vector<std::pair<gui::Control*, RECT>> shown;
  for (TranslatableControl* t : window.controls()) {
    auto* c = dynamic_cast<gui::Control*>(t);
    if (!c || !c->created() || !IsWindowVisible(c->hwnd())) continue;
    RECT r{};
    GetWindowRect(c->hwnd(), &r);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
      faults.push_back(c->name() + " leaves the window");
    }
    shown.emplace_back(c, r);
  }
  auto inside = [](gui::Control* c, gui::Control* frame) {
    for (gui::Control* p = c->container(); p; p = p->container()) {
      if (p == frame) return true;
    }
    return false;
  };
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      auto [a, ra] = shown[i];
      auto [b, rb] = shown[j];
      RECT overlap{};
      if (!inside(a, b) && !inside(b, a) && IntersectRect(&overlap, &ra, &rb)) {
        faults.push_back(a->name() + " covers " + b->name());
      }
    }
  }
  return faults;
}

}  // namespace quenmark::testing
