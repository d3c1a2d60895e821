#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "power/suspend_blocker.h"

namespace quenmark::testing {

// Windows as a map from handle to its current procedure. Installing the blocker puts
// kBlockerProc in place; messages handed on are recorded and answered with kOwnResult.
class FakeWindowProcs : public WindowProcSeam {
 public:
  static constexpr WindowProcAddress kBlockerProc = 0x2000;
  static constexpr std::intptr_t kOwnResult = 77;

  struct Passed {
    WindowProcAddress to;
    std::uint32_t message;
    std::intptr_t lParam;
  };

  std::map<WindowHandle, WindowProcAddress> procs;
  std::vector<std::string> log;  // "install", "restore"
  std::vector<Passed> passed;

  WindowProcAddress install(WindowHandle window, SuspendBlocker&) override {
    log.push_back("install");
    auto it = procs.find(window);
    if (it == procs.end()) return 0;
    return std::exchange(it->second, kBlockerProc);
  }
  void restore(WindowHandle window, WindowProcAddress previous) override {
    log.push_back("restore");
    procs[window] = previous;
  }
  std::intptr_t callPrevious(WindowProcAddress previous, WindowHandle, std::uint32_t message,
                             std::uintptr_t, std::intptr_t lParam) override {
    passed.push_back({previous, message, lParam});
    return kOwnResult;
  }
};

}  // namespace quenmark::testing
