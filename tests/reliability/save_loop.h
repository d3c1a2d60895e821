#pragma once

#include <array>
#include <string>

#include "core/schedule/schedule_record.h"

// What the save loop writes, shared by the loop and the test that kills it: each schedule in
// turn in one of its versions, which differ in length and in every line that can differ, so
// that a file made of two of them shows.
namespace quenmark::testing::save_loop {

inline constexpr std::array<const char*, 5> kNames = {"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
inline constexpr unsigned kVersions = 3;

inline ScheduleRecord version(const std::string& name, unsigned v) {
  ScheduleRecord r;
  r.Name = name;
  switch (v % kVersions) {
    case 0:
      r.ItemType = "Reboot";
      break;
    case 1:
      r.ItemType = "Shut Down";
      r.Enabled = true;
      r.StartDate = "12/31/2031";
      r.StartTime = "23:59:59";
      r.Repeat = true;
      r.SAccurancy = 2;
      r.Period = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28";
      break;
    default:
      r.ItemType = "Stand by";
      r.Enabled = true;
      r.StartDate = "1/2/2030";
      r.StartTime = "07:05:00";
      r.Repeat = true;
      r.SAccurancy = 1;
      r.Period = "mon,wed,fri";
      break;
  }
  return r;
}

}  // namespace quenmark::testing::save_loop
