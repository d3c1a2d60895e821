// The schedule-file reader on arbitrary bytes, and the property that what the writer
// writes the reader reads back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "schedule/schedule_file.h"
#include "schedule/text_fields.h"

namespace {

using namespace quenmark;

#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)

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

void readerOnRawBytes(std::string_view bytes) {
  const ScheduleRecord e = readScheduleText("x", bytes);
  FUZZ_CHECK(!contains(e.ItemType, "\r\n") && !contains(e.LastRunTime, "\r\n"));

  ScheduleRecord r;
  readSchedulerFields(bytes, r);
  FUZZ_CHECK(!contains(r.StartDate, "\r\n") && !contains(r.StartTime, "\r\n"));
  FUZZ_CHECK(!contains(r.Period, "\r\n"));
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
  readerOnRawBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  FuzzedDataProvider in(data, size);
  fieldRoutines(in);
  roundTrip(in);
  return 0;
}
