// Opens the wizard on a hand-edited schedule: the scheduler fields come from the input, as
// they would from a file anyone can edit. What the wizard shows must fire as the file did,
// and the record it saves must keep the file's invariants.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/wizard/wizard_model.h"
#include "fuzz_check.h"
#include "core/schedule/next_run.h"
#include "core/schedule/schedule_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quenmark;
  using namespace std::chrono;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  ScheduleRecord current;
  current.Name = "x";
  current.Enabled = true;
  readSchedulerFields(text, current);

  const RegionalFormats formats;
  const local_seconds now = local_days{year{2026} / 6 / 3} + hours{14} + minutes{37};
  const wizard::WizardModel model = wizard::editSchedule(current, now, formats);
  const ScheduleRecord saved = wizard::recordOf(model, formats);
  FUZZ_CHECK(saved.Repeat || (saved.SAccurancy == 0 && saved.Period.empty()));
  FUZZ_CHECK(saved.SAccurancy >= 0 && saved.SAccurancy <= 2);
  FUZZ_CHECK(saved.StartTime.size() == 8);

  // Where the file fires at all, the saved schedule fires at the same minutes.
  const auto before = ruleOf(current, formats);
  const auto after = ruleOf(saved, formats);
  FUZZ_CHECK(after);
  if (before && (current.SAccurancy >= 0 && current.SAccurancy <= 2)) {
    FUZZ_CHECK(nextRunAfter(*before, now, formats).at == nextRunAfter(*after, now, formats).at);
  }
  return 0;
}
