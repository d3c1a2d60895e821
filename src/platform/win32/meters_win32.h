#pragma once

#include <memory>

#include "platform/meters.h"

namespace quenmark::win32 {

// The real meters. The network's table comes from iphlpapi, loaded on the first reading
// and not before: most runs never wait for the network.
class Win32Meters final : public Meters {
 public:
  Win32Meters();
  ~Win32Meters() override;
  Win32Meters(const Win32Meters&) = delete;
  Win32Meters& operator=(const Win32Meters&) = delete;

  std::uint64_t tickCount() override;
  std::optional<std::uint64_t> processStarted(std::uint32_t id) override;
  std::vector<RunningProgram> runningPrograms(bool details) override;
  std::optional<std::uint64_t> sinceLastInput() override;
  std::optional<ProcessorTimes> processorTimes() override;
  std::optional<std::uint64_t> networkOctets() override;
  BatteryState battery() override;

 private:
  struct IpHelper;
  std::unique_ptr<IpHelper> ip_;
};

}  // namespace quenmark::win32
