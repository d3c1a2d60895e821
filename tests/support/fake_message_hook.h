#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/message_hook.h"

namespace quenmark::testing {

// A window as its message hook sees it: handlers by message, and the window's own answer
// (kOwnResult) for every message no handler answers.
class FakeMessageHook : public MessageHook {
 public:
  static constexpr std::intptr_t kOwnResult = 77;

  bool exists = true;  // false: the window is not there, hooking fails
  std::map<std::uint32_t, MessageHandler> handlers;
  std::vector<std::string> log;  // "hook", "unhook"

  bool hookMessage(std::uint32_t message, MessageHandler handler) override {
    log.push_back("hook");
    if (!exists) return false;
    handlers[message] = std::move(handler);
    return true;
  }
  void unhookMessage(std::uint32_t message) override {
    log.push_back("unhook");
    handlers.erase(message);
  }

  // What the window answers to a message sent to it.
  std::intptr_t send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) const {
    if (auto it = handlers.find(message); it != handlers.end()) {
      if (auto answer = it->second(wParam, lParam)) return *answer;
    }
    return kOwnResult;
  }
};

}  // namespace quenmark::testing
