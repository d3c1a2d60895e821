// Opens the wizard on a hand-edited schedule: the scheduler fields come from the input, as
// they would from a file anyone can edit. The load and the record built from it must cope.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/wizard_logic.h"
#include "schedule/schedule_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quenmark;
  using namespace std::chrono;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  ScheduleRecord current;
  current.Name = "x";
  current.Enabled = true;
  readSchedulerFields("<SCHEDULER>\r\n" + std::string(text) + "\r\n</SCHEDULER>", current);

  wizard::LoadInputs in;
  in.now = local_days{year{2026} / 6 / 3} + hours{14} + minutes{37};
  in.editMode = true;
  in.message = [](const std::string& key) { return key; };
  // Any text of up to 6 digits is a date, so that the fuzzer reaches the later steps.
  in.parseDate = [](const std::string& s) -> std::optional<year_month_day> {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    return year_month_day{sys_days{days{std::stol(s)}}};
  };
  in.formatDate = [](year_month_day d) { return std::to_string(static_cast<int>(d.year())); };

  wizard::WizardState state;
  wizard::Form_Load(state, in, current);
  const ScheduleRecord saved = wizard::buildRecord(state, in.formatDate);
  // What the wizard writes keeps the file's invariants whatever it read.
  if (!saved.Repeat && (saved.SAccurancy != 0 || !saved.Period.empty())) __builtin_trap();
  if (saved.SAccurancy < 0 || saved.SAccurancy > 2) __builtin_trap();
  if (saved.StartTime.size() != 8) __builtin_trap();
  return 0;
}
