#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "schedule/schedule_record.h"

namespace quenmark {

// program folder + "\data\"
std::string dataFolder(const std::string& programFolder);
// program folder + "\data\" + name + ".sch"
std::string scheduleFilePath(const std::string& programFolder, const std::string& name);

// The 16-line file text (UTF-8; converted to the ANSI code page when written).
std::string scheduleFileText(const ScheduleRecord& record);

// Refuses a name that would not be a plain file name inside `data`: path separators and
// the other characters Windows forbids, control characters, reserved device names.
Status validateScheduleName(const std::string& name);

// Writes the record to its file in one atomic step; on failure the old file is untouched.
Status SaveScheduleFile(FileSystem& fs, const TextCodec& codec, const std::string& programFolder,
                        const ScheduleRecord& record);

// One file as the schedule list shows it.
struct ScheduleFileEntry {
  std::string name;            // file name without its last four characters
  std::string itemType;        // "Type"
  std::string lastRunTime;     // "Last Run Time"
  std::string enabled;         // "Yes" only for an Enabled text of exactly "1"
  std::string schedulerBlock;  // for the next-run computation
};

// Every data\*.sch in directory-search order, hidden and system files skipped. A file that
// cannot be read is still listed, with empty columns, so that it can be seen and deleted.
std::vector<ScheduleFileEntry> readScheduleEntries(const FileSystem& fs, const TextCodec& codec,
                                                   const std::string& programFolder);
ScheduleFileEntry entryFromText(std::string name, std::string_view fileText);

// Value conversions of the reader: numbers (nonzero is True) or the words True/False.
bool parseBoolean(std::string_view text);
// A 16-bit integer, rounded half to even; 0 when the text does not convert or overflows.
std::int16_t parseInt16(std::string_view text);

// Fills StartDate, StartTime, Repeat, SAccurancy, Period, RunOnStart, RunOnEnd from the
// SCHEDULER block of a file text.
void readSchedulerFields(std::string_view fileText, ScheduleRecord& into);

// Reads the named schedule's file into `into` (scheduler fields only). False, and `into`
// untouched, when there is no such file or it cannot be read.
bool readScheduleFile(const FileSystem& fs, const TextCodec& codec,
                      const std::string& programFolder, const std::string& name,
                      ScheduleRecord& into);

}  // namespace quenmark
