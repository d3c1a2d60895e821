#include "core/schedule/schedule_file.h"

#include <array>
#include <cmath>

#include "base/text.h"
#include "core/schedule/text_fields.h"

namespace quenmark {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// A decimal number: optional sign, digits with an optional fraction and exponent, blanks
// around it ignored.
bool parseNumber(std::string_view text, double& out) {
  std::string_view s = trimBlanks(text);
  if (s.starts_with('+')) {
    s.remove_prefix(1);
    if (s.starts_with('-')) return false;
  }
  const std::optional<double> value = readDecimal(s);
  if (!value) return false;
  out = *value;
  return true;
}

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Names that open a device instead of a file, with or without an extension; Windows drops
// the blanks before the extension when it decides.
bool isDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
  for (auto d : kDevices) {
    if (equalsNoCase(base, d)) return true;
  }
  if (base.size() < 4) return false;
  const std::string_view port = base.substr(0, 3);
  if (!equalsNoCase(port, "COM") && !equalsNoCase(port, "LPT")) return false;
  // COM1-COM9, LPT1-LPT9, and the superscript digits 1, 2 and 3 that Windows also maps.
  static constexpr std::array<std::string_view, 12> kPortNumbers = {
      "1", "2", "3", "4", "5", "6", "7", "8", "9", "\u00b9", "\u00b2", "\u00b3"};
  for (auto n : kPortNumbers) {
    if (base.substr(3) == n) return true;
  }
  return false;
}

const SysError kInvalidName{123,
                            "The filename, directory name, or volume label syntax is incorrect."};
const SysError kPathTooLong{206, "The filename or extension is too long."};

// Windows opens no path of MAX_PATH (260) UTF-16 units or more for a program that has not
// asked for long paths, while Wine does: such a file could be written there but not read
// back here. Refused up front, a name fares the same everywhere.
constexpr std::size_t kMaxPath = 260;

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) units += nextCodePoint(text, i) > 0xFFFF ? 2 : 1;
  return units;
}

}  // namespace

std::string dataFolder(const std::string& programFolder) { return programFolder + "\\data\\"; }

void ensureDataFolder(FileSystem& fs, const std::string& programFolder) {
  const std::string data = programFolder + "\\data";
  if (!fs.directoryExists(data)) fs.createDirectory(data);
}

std::string scheduleFilePath(const std::string& programFolder, const std::string& name) {
  return dataFolder(programFolder) + name + std::string(kScheduleExtension);
}

bool hasStart(const ScheduleRecord& r) { return !r.StartDate.empty() || !r.StartTime.empty(); }

void takeStart(ScheduleRecord& into, const ScheduleRecord& from) {
  into.StartDate = from.StartDate;
  into.StartTime = from.StartTime;
  into.Repeat = from.Repeat;
  into.SAccurancy = from.SAccurancy;
  into.Period = from.Period;
}

namespace {

const char* flag(bool b) { return b ? "-1" : "0"; }

void appendLine(std::string& t, std::string_view a, std::string_view b = {}) {
  t.append(a).append(b).append(kCrLf);
}

// The lines of the start: the SCHEDULER block's first five, and the whole kept start.
void appendStartLines(std::string& t, const ScheduleRecord& r) {
  appendLine(t, "StartDate=", r.StartDate);
  appendLine(t, "StartTime=", r.StartTime);
  appendLine(t, "Repeat=", flag(r.Repeat));
  appendLine(t, "SAccurancy=", std::to_string(r.SAccurancy));
  appendLine(t, "Period=", r.Period);
}

bool hasBlock(std::string_view text, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  const std::size_t at = text.find(open);
  return at != std::string_view::npos && text.rfind(close) != std::string_view::npos &&
         text.rfind(close) > at;
}

}  // namespace

std::string scheduleFileText(const ScheduleRecord& r) {
  std::string t;
  appendLine(t, "<DATA>");
  appendLine(t, "LastRunTime=", r.LastRunTime);
  appendLine(t, "ItemType=", r.ItemType);
  appendLine(t, "Enabled=", r.Enabled ? "1" : "0");
  appendLine(t, "</DATA>");
  appendLine(t, "");
  appendLine(t, "<SCHEDULER>");
  appendStartLines(t, r);
  appendLine(t, "RunOnStart=", flag(r.RunOnStart));
  appendLine(t, "RunOnEnd=", flag(r.RunOnEnd));
  appendLine(t, "</SCHEDULER>");
  appendLine(t, "");
  return t;
}

bool looksLikeScheduleFile(std::string_view text) {
  return hasBlock(text, "DATA") && hasBlock(text, "SCHEDULER");
}

std::optional<ScheduleRecord> keptStartOf(std::string_view text) {
  if (!hasBlock(text, kKeptStartTag)) return std::nullopt;
  ScheduleRecord kept;
  readSchedulerFields(getTagText(text, kKeptStartTag), kept);
  return kept;
}

std::optional<NameProblem> checkScheduleName(const std::string& name,
                                             const std::vector<std::string>* listed,
                                             const FileSystem& fs,
                                             const std::string& programFolder) {
  using Kind = NameProblem::Kind;
  if (listed) {
    for (const std::string& existing : *listed) {
      if (equalsNoCase(existing, name)) return NameProblem{Kind::Taken};
    }
  }
  if (name.empty()) return NameProblem{Kind::Empty};
  // Checked before any save is tried, so that a refused name never reaches the file system.
  if (auto bad = validateScheduleName(name)) return NameProblem{Kind::Refused, *bad};
  // A file the list does not show (hidden, or named in another case the file system folds
  // together) would be replaced by the save.
  if (listed && scheduleFileTaken(fs, programFolder, name)) return NameProblem{Kind::Taken};
  return std::nullopt;
}

Status validateScheduleName(const std::string& name) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  for (std::size_t i = 0; i < name.size();) {
    const char32_t c = nextCodePoint(name, i);
    if (isControl(c) || (c < 0x80 && kForbidden.find(static_cast<char>(c)) != kForbidden.npos))
      return kInvalidName;
  }
  if (isDeviceName(name)) return kInvalidName;
  return std::nullopt;
}

bool scheduleFileTaken(const FileSystem& fs, const std::string& programFolder,
                       const std::string& name) {
  // No wildcard is in a valid name, so the search matches the name itself (and short names).
  return !fs.find(scheduleFilePath(programFolder, name),
                  attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kDirectory)
              .empty();
}

Status SaveScheduleFile(FileSystem& fs, const TextCodec& codec, const std::string& programFolder,
                        const ScheduleRecord& record, const ScheduleRecord* keptStart) {
  if (auto refused = validateScheduleName(record.Name)) return refused;
  const std::string path = scheduleFilePath(programFolder, record.Name);
  if (utf16Length(path) >= kMaxPath) return kPathTooLong;
  std::string text = scheduleFileText(record);
  if (keptStart) {
    appendLine(text, "<" + std::string(kKeptStartTag) + ">");
    appendStartLines(text, *keptStart);
    appendLine(text, "</" + std::string(kKeptStartTag) + ">");
    appendLine(text, "");
  }
  return fs.replaceFile(path, codec.utf8ToAnsi(text));
}

ScheduleRecord readScheduleText(std::string name, std::string_view fileText) {
  ScheduleRecord r;
  r.Name = std::move(name);
  const std::string data = getTagText(fileText, "DATA");
  r.LastRunTime = getKeyValue(data, "LastRunTime");
  r.ItemType = getKeyValue(data, "ItemType");
  r.Enabled = getKeyValue(data, "Enabled") == "1";
  readSchedulerFields(getTagText(fileText, "SCHEDULER"), r);
  return r;
}

std::vector<ScheduleRecord> readScheduleRecords(const FileSystem& fs, const TextCodec& codec,
                                                const std::string& programFolder) {
  std::vector<ScheduleRecord> records;
  const std::string folder = dataFolder(programFolder);
  for (const std::string& file : fs.find(folder + "*" + std::string(kScheduleExtension), 0)) {
    const std::size_t n = kScheduleExtension.size();
    std::string name = file.size() >= n ? file.substr(0, file.size() - n) : std::string();
    auto bytes = fs.readFile(folder + file);
    records.push_back(
        readScheduleText(std::move(name), bytes ? codec.ansiToUtf8(*bytes) : std::string()));
  }
  return records;
}

bool parseBoolean(std::string_view text) {
  double d = 0;
  if (parseNumber(text, d)) return d != 0;
  return equalsNoCase(trimBlanks(text), "True");
}

std::int16_t parseInt16(std::string_view text) {
  double d = 0;
  if (!parseNumber(text, d)) return 0;
  d = std::nearbyint(d);  // the default rounding mode rounds half to even
  if (d < -32768.0 || d > 32767.0) return 0;
  return static_cast<std::int16_t>(d);
}

void readSchedulerFields(std::string_view block, ScheduleRecord& into) {
  into.StartDate = getKeyValue(block, "StartDate");
  into.StartTime = getKeyValue(block, "StartTime");
  into.Period = getKeyValue(block, "Period");
  into.Repeat = parseBoolean(getKeyValue(block, "Repeat"));
  into.RunOnStart = parseBoolean(getKeyValue(block, "RunOnStart"));
  into.RunOnEnd = parseBoolean(getKeyValue(block, "RunOnEnd"));
  into.SAccurancy = parseInt16(getKeyValue(block, "SAccurancy"));
}

Result<ScheduleRecord> readScheduleFile(const FileSystem& fs, const TextCodec& codec,
                                        const std::string& programFolder,
                                        const std::string& name) {
  auto bytes = fs.readFile(scheduleFilePath(programFolder, name));
  if (!bytes) return bytes.error();
  return readScheduleText(name, codec.ansiToUtf8(*bytes));
}

}  // namespace quenmark
