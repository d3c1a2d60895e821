// The schedule-file readers on arbitrary bytes: the schedule list and the clicked entry
// (CurrentSchedule) read a file alike, and what the writer writes the reader reads back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/text_codec.h"
#include "core/schedule/schedule_file.h"
#include "core/schedule/text_fields.h"
#include "support/fake_file_system.h"

namespace {

using namespace quenmark;

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Characters that could forge a key ("=") or a tag ("<"), or end a value early (CR), are
// left out of round-trip values: with them the first-occurrence rules read differently.
std::string plainValue(FuzzedDataProvider& in) {
  std::string s = in.ConsumeRandomLengthString(48);
  std::string out;
  for (char c : s) {
    if (c != '\r' && c != '=' && c != '<') out += c;
  }
  return out;
}

template <class Test>
bool anyValue(const ScheduleRecord& r, Test test) {
  for (const std::string* s : {&r.LastRunTime, &r.ItemType, &r.StartDate, &r.StartTime, &r.Period})
    if (test(*s)) return true;
  return false;
}

// The bytes as a file in data\, read as the list reads all files and as a click reads one;
// saved again, the record reads back the same.
void filesOnDisk(std::string_view bytes) {
  const std::string folder = "C:\\Quenmark";
  testing::FakeFileSystem fs;
  const Cp1252Codec codec;
  fs.addDirectory(folder);
  fs.addDirectory(dataFolder(folder));
  fs.addFile(scheduleFilePath(folder, "x"), std::string(bytes));

  const std::vector<ScheduleRecord> listed = readScheduleRecords(fs, codec, folder);
  FUZZ_CHECK(listed.size() == 1 && listed[0].Name == "x");
  const ScheduleRecord& r = listed[0];
  FUZZ_CHECK(!anyValue(r, [](const std::string& v) { return contains(v, "\r\n"); }));
  const Result<ScheduleRecord> clicked = readScheduleFile(fs, codec, folder, "x");
  FUZZ_CHECK(clicked && *clicked == r);

  // Unless a value holds what the reader would take for a key ("=") or a tag ("<").
  if (anyValue(r, [](const std::string& v) { return v.find_first_of("=<") != v.npos; })) return;
  FUZZ_CHECK(!SaveScheduleFile(fs, codec, folder, r));
  const Result<ScheduleRecord> again = readScheduleFile(fs, codec, folder, "x");
  FUZZ_CHECK(again && *again == r);
}

void fieldRoutines(FuzzedDataProvider& in) {
  const std::string tag = in.ConsumeRandomLengthString(12);
  const std::string key = in.ConsumeRandomLengthString(12);
  const std::string text = in.ConsumeRandomLengthString(4096);

  const std::string cut = getTagText(text, tag);
  FUZZ_CHECK(contains(text, cut));
  const std::string value = getKeyValue(text, key);
  FUZZ_CHECK(!contains(value, "\r\n"));
  if (!value.empty()) FUZZ_CHECK(contains(text, key + "=" + value + "\r\n"));

  parseBoolean(text);
  parseInt16(text);
  validateScheduleName(text);
}

void roundTrip(FuzzedDataProvider& in) {
  ScheduleRecord r;
  r.Name = "n";
  r.LastRunTime = plainValue(in);
  r.ItemType = plainValue(in);
  r.StartDate = plainValue(in);
  r.StartTime = plainValue(in);
  r.Period = plainValue(in);
  r.Enabled = in.ConsumeBool();
  r.Repeat = in.ConsumeBool();
  r.RunOnStart = in.ConsumeBool();
  r.RunOnEnd = in.ConsumeBool();
  r.SAccurancy = in.ConsumeIntegral<std::int16_t>();

  // Through the ANSI code page and back, as a file on disk would go.
  const Cp1252Codec codec;
  auto viaFile = [&](const std::string& s) { return codec.ansiToUtf8(codec.utf8ToAnsi(s)); };
  const std::string text = viaFile(scheduleFileText(r));

  const ScheduleRecord e = readScheduleText(r.Name, text);
  FUZZ_CHECK(e.ItemType == viaFile(r.ItemType));
  FUZZ_CHECK(e.LastRunTime == viaFile(r.LastRunTime));
  FUZZ_CHECK(e.Enabled == r.Enabled);

  ScheduleRecord back = r;
  back.StartDate = back.StartTime = back.Period = "stale";
  back.Repeat = !r.Repeat;
  back.RunOnStart = !r.RunOnStart;
  back.RunOnEnd = !r.RunOnEnd;
  back.SAccurancy = static_cast<std::int16_t>(r.SAccurancy ^ 1);
  readSchedulerFields(getTagText(text, "SCHEDULER"), back);
  FUZZ_CHECK(back.StartDate == viaFile(r.StartDate));
  FUZZ_CHECK(back.StartTime == viaFile(r.StartTime));
  FUZZ_CHECK(back.Period == viaFile(r.Period));
  FUZZ_CHECK(back.Repeat == r.Repeat);
  FUZZ_CHECK(back.RunOnStart == r.RunOnStart);
  FUZZ_CHECK(back.RunOnEnd == r.RunOnEnd);
  FUZZ_CHECK(back.SAccurancy == r.SAccurancy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  filesOnDisk(std::string_view(reinterpret_cast<const char*>(data), size));
  FuzzedDataProvider in(data, size);
  fieldRoutines(in);
  roundTrip(in);
  return 0;
}
