#pragma once

#include <chrono>

namespace quenmark {

// The local wall-clock time. Injected so that tests can move time at will.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::local_seconds now() const = 0;
};

}  // namespace quenmark
