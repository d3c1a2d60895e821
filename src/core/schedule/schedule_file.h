#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "core/schedule/schedule_record.h"

namespace quenmark {

inline constexpr std::string_view kScheduleExtension = ".sch";

// program folder + "\data\"
std::string dataFolder(const std::string& programFolder);
// Makes the data folder where there is none yet.
void ensureDataFolder(FileSystem& fs, const std::string& programFolder);
// program folder + "\data\" + name + ".sch"
std::string scheduleFilePath(const std::string& programFolder, const std::string& name);

// The 16-line file text (UTF-8; converted to the ANSI code page when written).
std::string scheduleFileText(const ScheduleRecord& record);
// Whether a text has the DATA and SCHEDULER blocks of a schedule file, each opened and closed.
bool looksLikeScheduleFile(std::string_view fileText);

// Refuses a name that would not be a plain file name inside `data`: path separators and
// the other characters Windows forbids, control characters, reserved device names.
Status validateScheduleName(const std::string& name);

// Whether anything in `data` answers to the schedule's file name as the file system
// matches names (letter case folded its way, hidden and system files included), so that
// a save would replace it.
bool scheduleFileTaken(const FileSystem& fs, const std::string& programFolder,
                       const std::string& name);

// Why a schedule may not be saved under a name: it is empty, a file cannot have it, or (for a
// new schedule) it is taken.
struct NameProblem {
  enum class Kind { Taken, Empty, Refused } kind;
  SysError refused{};  // why the file system would refuse it
};

// The checks a name passes before a save, in the wizard's order: a new schedule's name must
// be free among `listed` (letter case ignored) and in the data folder; every name must be
// given and be a plain file name. `listed` is null for a schedule that keeps its name.
std::optional<NameProblem> checkScheduleName(const std::string& name,
                                             const std::vector<std::string>* listed,
                                             const FileSystem& fs,
                                             const std::string& programFolder);

// A schedule switched off from the command line keeps the start it had in a block of its own
// after the SCHEDULER block, where no reader of the schedule looks, so that switching it on
// again gives the start back. The block holds StartDate, StartTime, Repeat, SAccurancy and
// Period as the SCHEDULER block writes them.
inline constexpr std::string_view kKeptStartTag = "KEPTSTART";
// Whether the record has a start to keep; the start's fields of `from` put into `into`, the
// rest of `into` left alone.
bool hasStart(const ScheduleRecord& r);
void takeStart(ScheduleRecord& into, const ScheduleRecord& from);
// The start kept in a file text; nothing when it keeps none.
std::optional<ScheduleRecord> keptStartOf(std::string_view fileText);

// Writes the record to its file in one atomic step; on failure the old file is untouched. A
// refused name, or a path too long for Windows (MAX_PATH), writes nothing. `keptStart`, when
// given, is written after the SCHEDULER block.
Status SaveScheduleFile(FileSystem& fs, const TextCodec& codec, const std::string& programFolder,
                        const ScheduleRecord& record, const ScheduleRecord* keptStart = nullptr);

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
