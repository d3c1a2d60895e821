#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace quenmark {

// Sees one message of a window before the window does: it answers the message, or gives
// nothing back and the window handles it as usual.
using MessageHandler =
    std::function<std::optional<std::intptr_t>(std::uintptr_t wParam, std::intptr_t lParam)>;

// The one way the program intercepts a window's messages (the form layer's windows
// implement it). One handler per message.
class MessageHook {
 public:
  virtual ~MessageHook() = default;
  // False, and nothing hooked, when the window cannot take the handler.
  virtual bool hookMessage(std::uint32_t message, MessageHandler handler) = 0;
  virtual void unhookMessage(std::uint32_t message) = 0;
};

}  // namespace quenmark
