#pragma once

#include <cstdint>
#include <string>

namespace quenmark {

// One schedule in memory; its file holds the same fields (see schedule_file.h).
struct ScheduleRecord {
  std::string Name{};
  std::string ItemType{};     // the action name: "Shut Down", "Reboot", "Log Off", ...
  std::string LastRunTime{};  // always written empty
  bool Enabled = false;     // has a start date and time
  std::string StartDate{};    // regional short date; empty when not Enabled
  std::string StartTime{};    // HH:mm:ss, 24-hour; empty when not Enabled
  bool Repeat = false;
  std::int16_t SAccurancy = 0;  // 0 daily, 1 weekly, 2 monthly
  std::string Period{};           // "mon,fri" or "1,15"
  bool RunOnStart = false;
  bool RunOnEnd = false;

  friend bool operator==(const ScheduleRecord&, const ScheduleRecord&) = default;
};

}  // namespace quenmark
