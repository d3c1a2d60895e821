#pragma once

#include <cstdint>

namespace quenmark {

// SetThreadExecutionState, the one call that tells Windows Vista and later that the system
// is in use. Injected so that tests record what would have been asked.
class ExecutionState {
 public:
  virtual ~ExecutionState() = default;
  // Returns the previous state, or 0 when the call failed.
  virtual std::uint32_t setThreadExecutionState(std::uint32_t flags) = 0;
};

namespace es {
inline constexpr std::uint32_t kSystemRequired = 0x00000001;  // ES_SYSTEM_REQUIRED
inline constexpr std::uint32_t kContinuous = 0x80000000;      // ES_CONTINUOUS
}  // namespace es

}  // namespace quenmark
