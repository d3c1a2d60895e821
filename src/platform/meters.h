#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quenmark {

// A running process as Windows lists it.
struct RunningProgram {
  std::uint32_t id = 0;
  // Its creation time (FILETIME: 100 ns since 1601); 0 when it could not be read. Together
  // with the id it names one program: an id is handed out again once its process has gone.
  std::uint64_t started = 0;
  std::string fileName;     // "notepad.exe"
  std::string windowTitle;  // the title of its first visible top-level window; may be empty
};

// The system's processor times since start (GetSystemTimes), in 100 ns: kernel includes idle.
struct ProcessorTimes {
  std::uint64_t idle = 0;
  std::uint64_t kernel = 0;
  std::uint64_t user = 0;
};

// GetSystemPowerStatus as the conditions read it.
struct BatteryState {
  bool present = false;          // a system battery exists (neither "no battery" nor unknown)
  bool onMains = true;           // ACLineStatus 1 (or unknown): the battery is not running down
  std::optional<int> percent{};  // 0 to 100; none when unknown
};

// What the computer is doing, read on demand: the measurements the "When..." conditions
// wait on. Each method is one system call or a few; the caller decides how often to ask.
class Meters {
 public:
  virtual ~Meters() = default;

  // GetTickCount64: milliseconds since the system started; never goes back.
  virtual std::uint64_t tickCount() = 0;

  // The creation time of the process with that id while it runs (opened with SYNCHRONIZE and
  // asked whether it has ended); none when no process has that id or it has ended; 0 when it
  // runs but its time cannot be read.
  virtual std::optional<std::uint64_t> processStarted(std::uint32_t id) = 0;
  // Every running process. Without `details` only ids and file names, which is cheap; with
  // them also the creation times and window titles, for a list the user picks from.
  virtual std::vector<RunningProgram> runningPrograms(bool details) = 0;

  // Milliseconds since the session's last keyboard or mouse input (GetLastInputInfo).
  virtual std::optional<std::uint64_t> sinceLastInput() = 0;
  virtual std::optional<ProcessorTimes> processorTimes() = 0;
  // Octets received plus octets sent since start, over the network interfaces (loopback
  // left out); none when the system cannot say.
  virtual std::optional<std::uint64_t> networkOctets() = 0;
  virtual BatteryState battery() = 0;
};

}  // namespace quenmark
