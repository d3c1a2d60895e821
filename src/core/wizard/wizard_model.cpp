#include "core/wizard/wizard_model.h"

#include <utility>

#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_file.h"

namespace quenmark::wizard {
namespace {

using namespace std::chrono;

OkResult refuse(std::string text, const OkInputs& in) {
  return OkResult{MessageBoxRequest{std::move(text), in.programTitle, MsgButtons::Ok}, false, {}};
}

}  // namespace

WizardView viewOf(const WizardModel& m) {
  WizardView v;
  v.nameEnabled = !m.editing;
  v.pickersEnabled = m.hasStart;
  v.repeatEnabled = m.hasStart;
  v.kindEnabled = m.hasStart && m.repeat;
  v.weekVisible = v.kindEnabled && m.kind == RepeatKind::Weekly;
  v.monthVisible = v.kindEnabled && m.kind == RepeatKind::Monthly;
  return v;
}

WizardModel newSchedule(local_seconds now, std::string firstAction) {
  const local_days today = floor<days>(now);
  const hh_mm_ss<seconds> clock{now - today};
  WizardModel m;
  m.action = std::move(firstAction);
  m.date = year_month_day{today};
  m.time = hours{(clock.hours().count() + 1) % 24};
  return m;
}

WizardModel editSchedule(const ScheduleRecord& r, local_seconds now, const RegionalFormats& formats) {
  const local_days today = floor<days>(now);
  const hh_mm_ss<seconds> clock{now - today};
  WizardModel m = newSchedule(now, r.ItemType);
  m.name = r.Name;
  m.editing = true;
  if (!r.Enabled) {
    m.time = clock.hours();
    return m;
  }
  m.hasStart = true;
  if (r.StartTime.empty()) {
    m.time = floor<seconds>(now - today);
  } else if (auto t = parseTime24(r.StartTime)) {
    m.time = *t;  // a time that does not read leaves the next full hour
  }
  if (auto d = parseShortDate(r.StartDate, formats)) m.date = *d;
  m.repeat = r.Repeat;
  if (r.Repeat) {
    const auto kind = static_cast<RepeatKind>(r.SAccurancy);
    if (kind == RepeatKind::Daily || kind == RepeatKind::Weekly || kind == RepeatKind::Monthly)
      m.kind = kind;
    m.weekDays = readDayList(r.Period, RepeatKind::Weekly);
    m.monthDays = readDayList(r.Period, RepeatKind::Monthly);
    // Only the kind's own list is the schedule's; the other starts empty.
    if (m.kind != RepeatKind::Weekly) m.weekDays.reset();
    if (m.kind != RepeatKind::Monthly) m.monthDays.reset();
  }
  return m;
}

ScheduleRecord recordOf(const WizardModel& m, const RegionalFormats& formats) {
  ScheduleRecord r;
  r.Name = m.name;
  r.ItemType = m.action;
  r.Enabled = m.hasStart;
  if (!r.Enabled) return r;
  r.StartDate = formatShortDate(m.date, formats);
  r.StartTime = formatTime24(m.time);
  r.Repeat = m.repeat;
  if (!r.Repeat) return r;
  r.SAccurancy = static_cast<std::int16_t>(m.kind);
  if (m.kind == RepeatKind::Weekly) r.Period = dayListText(m.weekDays, m.kind);
  if (m.kind == RepeatKind::Monthly) r.Period = dayListText(m.monthDays, m.kind);
  return r;
}

OkResult cmdOK_Click(const WizardModel& m, const OkInputs& in, FileSystem& fs,
                     const TextCodec& codec) {
  if (const auto problem = checkScheduleName(m.name, m.editing ? nullptr : &in.existingNames, fs,
                                             in.programFolder)) {
    switch (problem->kind) {
      case NameProblem::Kind::Taken:
        return refuse(in.message("MSG_NEWNAME"), in);
      case NameProblem::Kind::Empty:
        return refuse(in.message("MSG_NONAME"), in);
      case NameProblem::Kind::Refused:
        return refuse(problem->refused.message(), in);
    }
  }
  // The save is atomic: on failure the old file is intact and the input is kept for another
  // try.
  ScheduleRecord record = recordOf(m, in.formats);
  if (auto failed = SaveScheduleFile(fs, codec, in.programFolder, record))
    return refuse(failed->message(), in);
  return OkResult{std::nullopt, true, std::move(record)};
}

}  // namespace quenmark::wizard
