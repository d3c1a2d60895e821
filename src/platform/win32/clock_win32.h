#pragma once

#include "platform/clock.h"

namespace quenmark::win32 {

// The local wall-clock time as Windows keeps it (GetLocalTime).
class Win32Clock final : public Clock {
 public:
  std::chrono::local_seconds now() const override;
};

}  // namespace quenmark::win32
