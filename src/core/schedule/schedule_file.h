#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "core/schedule/schedule_record.h"

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

// Whether anything in `data` answers to the schedule's file name as the file system
// matches names (letter case folded its way, hidden and system files included), so that
// a save would replace it.
bool scheduleFileTaken(const FileSystem& fs, const std::string& programFolder,
                       const std::string& name);

// Writes the record to its file in one atomic step; on failure the old file is untouched. A
// refused name, or a path too long for Windows (MAX_PATH), writes nothing.
Status SaveScheduleFile(FileSystem& fs, const TextCodec& codec, const std::string& programFolder,
                        const ScheduleRecord& record);

// Every data\*.sch in directory-search order, hidden and system files skipped, each read
// once into its record. A file that cannot be read is still listed, by name only, so that it
// can be seen and deleted.
std::vector<ScheduleRecord> readScheduleRecords(const FileSystem& fs, const TextCodec& codec,
                                                const std::string& programFolder);

// The record a file text holds: ItemType, LastRunTime and Enabled (exactly "1") from the DATA
// block, the rest from the SCHEDULER block.
ScheduleRecord readScheduleText(std::string name, std::string_view fileText);

// Value conversions of the reader: numbers (nonzero is True) or the words True/False.
bool parseBoolean(std::string_view text);
// A 16-bit integer, rounded half to even; 0 when the text does not convert or overflows.
std::int16_t parseInt16(std::string_view text);

// Fills StartDate, StartTime, Repeat, SAccurancy, Period, RunOnStart and RunOnEnd from a
// SCHEDULER block: the one reader of that block.
void readSchedulerFields(std::string_view schedulerBlock, ScheduleRecord& into);

// The named schedule's file, read whole; the error when it cannot be read.
Result<ScheduleRecord> readScheduleFile(const FileSystem& fs, const TextCodec& codec,
                                        const std::string& programFolder,
                                        const std::string& name);

}  // namespace quenmark
