#include <benchmark/benchmark.h>

#include "core/schedule/schedule_file.h"
#include "core/schedule/scheduler.h"
#include "core/schedule/text_fields.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_file_system.h"
#include "support/fake_timer.h"

namespace quenmark {
namespace {

using testing::at;

constexpr const char* kFolder = "C:\\Quenmark";
constexpr int kEntries = 10000;

ScheduleRecord sample(int i) {
  ScheduleRecord r;
  r.Name = "schedule " + std::to_string(i);
  r.ItemType = "Shut Down";
  r.Enabled = true;
  r.StartDate = "12/1/2024";
  r.StartTime = "22:30:00";
  r.Repeat = true;
  r.SAccurancy = static_cast<std::int16_t>(i % 3);
  r.Period = i % 3 == 1 ? "mon,wed,fri" : (i % 3 == 2 ? "1,15,31" : "");
  return r;
}

testing::FakeFileSystem filledFolder(int n) {
  testing::FakeFileSystem fs;
  fs.addDirectory(std::string(kFolder) + "\\data");
  Cp1252Codec codec;
  for (int i = 0; i < n; ++i) SaveScheduleFile(fs, codec, kFolder, sample(i));
  return fs;
}

void BM_GetNextRunTime(benchmark::State& state) {
  const std::string block =
      getTagText(scheduleFileText(sample(static_cast<int>(state.range(0)))), "SCHEDULER");
  const RegionalFormats formats;
  const auto now = at(2025, 3, 5, 23);
  for (auto _ : state) benchmark::DoNotOptimize(getNextRunTime(block, now, formats));
}
BENCHMARK(BM_GetNextRunTime)->Arg(0)->Arg(1)->Arg(2);  // daily, weekly, monthly

// One scan tick over the whole list when nothing is due: the tick every 500 ms.
void BM_ScanTick(benchmark::State& state) {
  testing::FakeFileSystem fs = filledFolder(kEntries);
  testing::FakeClock clock{at(2025, 3, 5, 12)};
  testing::FakeRegional regional;
  testing::FakeDialogs dialogs;
  testing::FakeTimer scan, queue, action;
  ScheduleList list;
  loadScheduleList(list, fs, Cp1252Codec(), kFolder, clock.now(), regional.formats());
  Scheduler engine{{list, scan, queue, action, clock, regional, dialogs, nullptr,
                    [] { return false; }, [](PowerAction, bool) -> Status { return std::nullopt; }}};
  for (auto _ : state) engine.tmrScheduler_Timer();
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ScanTick)->Unit(benchmark::kMicrosecond);

// loadData's core: search the folder, read and decode every file, compute its next run.
void BM_LoadScheduleFiles(benchmark::State& state) {
  const testing::FakeFileSystem fs = filledFolder(kEntries);
  const Cp1252Codec codec;
  const RegionalFormats formats;
  ScheduleList list;
  for (auto _ : state) {
    loadScheduleList(list, fs, codec, kFolder, at(2025, 3, 5, 12), formats);
    fs.calls.clear();  // the fake's own call record would otherwise grow without end
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadScheduleFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quenmark
