#include "schedule/schedule_file.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "schedule/text_fields.h"

namespace quenmark {
namespace {

constexpr std::string_view kCrLf = "\r\n";

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool parseNumber(std::string_view text, double& out) {
  std::string s(trimSpaces(text));
  if (s.empty()) return false;
  errno = 0;
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && errno == 0 && std::isfinite(out);
}

const SysError kInvalidName{123,
                            "The filename, directory name, or volume label syntax is incorrect."};

}  // namespace

std::string dataFolder(const std::string& programFolder) { return programFolder + "\\data\\"; }

std::string scheduleFilePath(const std::string& programFolder, const std::string& name) {
  return dataFolder(programFolder) + name + ".sch";
}

std::string scheduleFileText(const ScheduleRecord& r) {
  auto flag = [](bool b) { return b ? "-1" : "0"; };
  std::string t;
  auto line = [&](std::string_view a, std::string_view b = {}) {
    t.append(a).append(b).append(kCrLf);
  };
  line("<DATA>");
  line("LastRunTime=", r.LastRunTime);
  line("ItemType=", r.ItemType);
  line("Enabled=", r.Enabled ? "1" : "0");
  line("</DATA>");
  line("");
  line("<SCHEDULER>");
  line("StartDate=", r.StartDate);
  line("StartTime=", r.StartTime);
  line("Repeat=", flag(r.Repeat));
  line("SAccurancy=", std::to_string(r.SAccurancy));
  line("Period=", r.Period);
  line("RunOnStart=", flag(r.RunOnStart));
  line("RunOnEnd=", flag(r.RunOnEnd));
  line("</SCHEDULER>");
  line("");
  return t;
}

Status validateScheduleName(const std::string& name) {
  for (unsigned char c : name) {
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return kInvalidName;
  }
  // Device names are reserved with any extension: "con.txt" opens the console too.
  std::string_view base = std::string_view(name).substr(0, name.find('.'));
  base = trimSpaces(base);
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (auto d : kDevices) {
    if (equalsIgnoreCase(base, d)) return kInvalidName;
  }
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
      (equalsIgnoreCase(base.substr(0, 3), "COM") || equalsIgnoreCase(base.substr(0, 3), "LPT")))
    return kInvalidName;
  return std::nullopt;
}

Status SaveScheduleFile(FileSystem& fs, const TextCodec& codec, const std::string& programFolder,
                        const ScheduleRecord& record) {
  if (auto refused = validateScheduleName(record.Name)) return refused;
  return fs.replaceFile(scheduleFilePath(programFolder, record.Name),
                        codec.utf8ToAnsi(scheduleFileText(record)));
}

ScheduleFileEntry entryFromText(std::string name, std::string_view fileText) {
  ScheduleFileEntry e;
  e.name = std::move(name);
  const std::string data = getTagText(fileText, "DATA");
  e.lastRunTime = getKeyValue(data, "LastRunTime");
  e.itemType = getKeyValue(data, "ItemType");
  e.enabled = getKeyValue(data, "Enabled") == "1" ? "Yes" : "No";
  e.schedulerBlock = getTagText(fileText, "SCHEDULER");
  return e;
}

std::vector<ScheduleFileEntry> readScheduleEntries(const FileSystem& fs, const TextCodec& codec,
                                                   const std::string& programFolder) {
  std::vector<ScheduleFileEntry> entries;
  const std::string folder = dataFolder(programFolder);
  for (const std::string& file : fs.find(folder + "*.sch", 0)) {
    std::string name = file.size() >= 4 ? file.substr(0, file.size() - 4) : std::string();
    auto bytes = fs.readFile(folder + file);
    entries.push_back(entryFromText(std::move(name),
                                    bytes ? codec.ansiToUtf8(*bytes) : std::string()));
  }
  return entries;
}

bool parseBoolean(std::string_view text) {
  double d = 0;
  if (parseNumber(text, d)) return d != 0;
  return equalsIgnoreCase(trimSpaces(text), "True");
}

std::int16_t parseInt16(std::string_view text) {
  double d = 0;
  if (!parseNumber(text, d)) return 0;
  d = std::nearbyint(d);  // the default rounding mode rounds half to even
  if (d < -32768.0 || d > 32767.0) return 0;
  return static_cast<std::int16_t>(d);
}

void readSchedulerFields(std::string_view fileText, ScheduleRecord& into) {
  const std::string block = getTagText(fileText, "SCHEDULER");
  into.StartDate = getKeyValue(block, "StartDate");
  into.StartTime = getKeyValue(block, "StartTime");
  into.Period = getKeyValue(block, "Period");
  into.Repeat = parseBoolean(getKeyValue(block, "Repeat"));
  into.RunOnStart = parseBoolean(getKeyValue(block, "RunOnStart"));
  into.RunOnEnd = parseBoolean(getKeyValue(block, "RunOnEnd"));
  into.SAccurancy = parseInt16(getKeyValue(block, "SAccurancy"));
}

bool readScheduleFile(const FileSystem& fs, const TextCodec& codec,
                      const std::string& programFolder, const std::string& name,
                      ScheduleRecord& into) {
  auto bytes = fs.readFile(scheduleFilePath(programFolder, name));
  if (!bytes) return false;
  readSchedulerFields(codec.ansiToUtf8(*bytes), into);
  return true;
}

}  // namespace quenmark
