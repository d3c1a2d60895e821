#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/meters.h"

namespace quenmark::testing {

// Meters whose readings the test sets; each method counts its calls by name
// ("processorTimes", ...). Time stands still until the test moves it with `pass`, which also
// lets the processor and the network work at the rates the test chose.
class FakeMeters : public Meters {
 public:
  // Moves time on by `ms`: processor times grow at `busyPercent`, octets at `kbPerSecond`,
  // input idle time with the clock.
  void pass(std::uint64_t ms) {
    tick += ms;
    const std::uint64_t total = ms * 10'000;  // 100 ns units
    const auto busy = static_cast<std::uint64_t>(static_cast<double>(total) * busyPercent / 100);
    cpu.user += busy;
    cpu.kernel += total - busy;
    cpu.idle += total - busy;
    octets += static_cast<std::uint64_t>(kbPerSecond * 1024 * static_cast<double>(ms) / 1000);
    if (idleMs) *idleMs += ms;
  }
  void startProgram(std::uint32_t id, const std::string& fileName, std::uint64_t started) {
    programs[id] = {id, started, fileName, fileName + " window"};
  }
  void endProgram(std::uint32_t id) { programs.erase(id); }

  std::uint64_t tickCount() override { return tick; }
  std::optional<std::uint64_t> processStarted(std::uint32_t id) override {
    ++calls["processStarted"];
    const auto p = programs.find(id);
    if (p == programs.end()) return std::nullopt;
    return p->second.started;
  }
  std::vector<RunningProgram> runningPrograms(bool) override {
    ++calls["runningPrograms"];
    std::vector<RunningProgram> out;
    for (const auto& [id, p] : programs) out.push_back(p);
    return out;
  }
  std::optional<std::uint64_t> sinceLastInput() override {
    ++calls["sinceLastInput"];
    return idleMs;
  }
  std::optional<ProcessorTimes> processorTimes() override {
    ++calls["processorTimes"];
    return cpu;
  }
  std::optional<std::uint64_t> networkOctets() override {
    ++calls["networkOctets"];
    return octets;
  }
  BatteryState battery() override {
    ++calls["battery"];
    return batteryState;
  }

  std::uint64_t tick = 1'000'000;
  double busyPercent = 0;
  double kbPerSecond = 0;
  std::optional<std::uint64_t> idleMs = 0;
  ProcessorTimes cpu;
  std::uint64_t octets = 0;
  BatteryState batteryState;
  std::map<std::uint32_t, RunningProgram> programs;
  std::map<std::string, int> calls;
};

}  // namespace quenmark::testing
