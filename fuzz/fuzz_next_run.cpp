// When schedules fire, and the texts that say when: short dates in real Windows pictures,
// 24-hour times, day lists and next-run texts. Each writer's output reads back as written,
// whatever the readers accept writes back to the same value, and a next run is always a
// minute after now that its own text names.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "core/schedule/next_run.h"
#include "core/schedule/period.h"
#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_file.h"

namespace {

using namespace quenmark;
using namespace std::chrono;

// Short-date pictures Windows offers (the locale defaults and the choices of the regional
// settings), and long-date pictures, which users set as their short date too.
constexpr std::array<const char*, 26> kPictures = {
    "M/d/yyyy",           "M/d/yy",
    "MM/dd/yy",           "MM/dd/yyyy",
    "yy/MM/dd",           "dd-MMM-yy",
    "dd/MM/yyyy",         "dd.MM.yyyy",
    "dd.MM.yy",           "d.M.yyyy",
    "d. M. yyyy",         "d/M/yyyy",
    "dd-MM-yyyy",         "yyyy/MM/dd",
    "yyyy/M/d",           "yyyy-MM-dd",
    "yyyy. MM. dd.",      "d.M.yyyy 'г.'",
    "d.M.yyyy.",          "dddd, MMMM d, yyyy",
    "MMMM d, yyyy",       "dddd, d MMMM yyyy",
    "dddd, d. MMMM yyyy", "d MMMM yyyy 'г.'",
    "yyyy'年'M'月'd'日'", "dddd, d' de 'MMMM' de 'yyyy"};

// Month and day names as Windows gives them for English, German, Russian (with genitive
// forms), French and Japanese (whose short month names are bare numbers).
RegionalFormats namesOf(int language) {
  RegionalFormats f;
  switch (language) {
    case 1:
      f.monthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
      f.abbreviatedMonthNames = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                 "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
      f.dayNames = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                    "Freitag", "Samstag",  "Sonntag"};
      f.abbreviatedDayNames = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
      break;
    case 2:
      f.monthNames = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                      "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
      f.abbreviatedMonthNames = {"янв", "фев", "мар", "апр", "май", "июн",
                                 "июл", "авг", "сен", "окт", "ноя", "дек"};
      f.genitiveMonthNames = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                              "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
      f.genitiveAbbreviatedMonthNames = {"янв.", "февр.", "мар.",  "апр.", "мая",   "июн.",
                                         "июл.", "авг.",  "сент.", "окт.", "нояб.", "дек."};
      f.dayNames = {"понедельник", "вторник", "среда",      "четверг",
                    "пятница",     "суббота", "воскресенье"};
      f.abbreviatedDayNames = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
      break;
    case 3:
      f.monthNames = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                      "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
      f.abbreviatedMonthNames = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                 "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
      f.dayNames = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
      f.abbreviatedDayNames = {"lun.", "mar.", "mer.", "jeu.", "ven.", "sam.", "dim."};
      break;
    case 4:
      f.monthNames = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                      "7月", "8月", "9月", "10月", "11月", "12月"};
      f.abbreviatedMonthNames = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
      f.dayNames = {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"};
      f.abbreviatedDayNames = {"月", "火", "水", "木", "金", "土", "日"};
      break;
    default:
      return f;
  }
  if (language != 2) {
    f.genitiveMonthNames = f.monthNames;
    f.genitiveAbbreviatedMonthNames = f.abbreviatedMonthNames;
  }
  return f;
}

// Pictures with a two-digit year hold only the years 1930 to 2029.
bool centuryOnly(std::string_view picture) { return picture.find("yyy") == std::string_view::npos; }

bool yearWritable(year_month_day date, std::string_view picture) {
  const int y = static_cast<int>(date.year());
  return centuryOnly(picture) ? y >= 1930 && y <= 2029 : y >= 1 && y <= 9999;
}

year_month_day someDate(FuzzedDataProvider& in, std::string_view picture) {
  const local_days first{centuryOnly(picture) ? year{1930} / 1 / 1 : year{1} / 1 / 1};
  const local_days last{centuryOnly(picture) ? year{2029} / 12 / 31 : year{9999} / 12 / 31};
  return year_month_day{first + days{in.ConsumeIntegralInRange<int>(0, (last - first).count())}};
}

void dates(FuzzedDataProvider& in, const RegionalFormats& f, std::string_view text) {
  const year_month_day date = someDate(in, f.shortDate);
  FUZZ_CHECK(parseShortDate(formatShortDate(date, f), f) == date);

  // Whatever the reader accepts is a real date, and written again reads back the same.
  if (auto read = parseShortDate(text, f)) {
    FUZZ_CHECK(read->ok());
    if (yearWritable(*read, f.shortDate))
      FUZZ_CHECK(parseShortDate(formatShortDate(*read, f), f) == read);
  }
}

void times(FuzzedDataProvider& in, std::string_view text) {
  const seconds t{in.ConsumeIntegralInRange<int>(0, 86399)};
  FUZZ_CHECK(parseTime24(formatTime24(t)) == t);
  if (auto read = parseTime24(text)) {
    FUZZ_CHECK(*read >= seconds{0} && *read < days{1});
    FUZZ_CHECK(parseTime24(formatTime24(*read)) == read);
  }
}

void dayLists(FuzzedDataProvider& in, std::string_view text) {
  const auto kind = static_cast<RepeatKind>(in.ConsumeIntegralInRange<int>(0, 3));
  const DaySet valid(kind == RepeatKind::Weekly    ? 0xFEu
                     : kind == RepeatKind::Monthly ? 0xFFFFFFFEu
                                                   : 0u);
  const DaySet chosen = DaySet(in.ConsumeIntegral<std::uint32_t>()) & valid;
  FUZZ_CHECK(readDayList(dayListText(chosen, kind), kind) == chosen);

  const DaySet read = readDayList(text, kind);
  FUZZ_CHECK((read & ~valid).none());
  FUZZ_CHECK(readDayList(dayListText(read, kind), kind) == read);
}

local_seconds someMoment(FuzzedDataProvider& in) {
  // From the first day a Windows clock can show to the last a short date can hold.
  const local_seconds first{local_days{year{1601} / 1 / 1}};
  const local_seconds last{local_days{year{9999} / 12 / 31} + hours{23} + minutes{59}};
  return first + seconds{in.ConsumeIntegralInRange<std::int64_t>(0, (last - first).count())};
}

// A next run is a minute after now, at the start's time of day, on a chosen day, soon
// enough, and its text names it. A repeating schedule with days to run on always has one.
std::string nextRunOf(const ScheduleRule& rule, local_seconds now, const RegionalFormats& f) {
  const NextRun next = nextRunAfter(rule, now, f);
  const LocalMinute nowMinute = floor<minutes>(now);
  const bool anyDay = rule.kind == 0 || (rule.kind == 1 && (rule.days & DaySet(0xFEu)).any()) ||
                      (rule.kind == 2 && (rule.days & DaySet(0xFFFFFFFEu)).any());
  FUZZ_CHECK(next.text.empty() == !next.at);
  if (!next.at) {
    FUZZ_CHECK(rule.start() <= nowMinute);
    FUZZ_CHECK(!rule.repeat || !anyDay);
    return next.text;
  }
  const LocalMinute at = *next.at;
  FUZZ_CHECK(at > nowMinute);
  FUZZ_CHECK(at >= rule.start());
  const local_days day = floor<days>(at);
  FUZZ_CHECK(at - day == rule.startMinute);
  // A two-digit year names only 1930-2029, and no picture names a year past 9999.
  if (yearWritable(year_month_day{day}, f.shortDate))
    FUZZ_CHECK(parseNextRunText(next.text, f) == at);
  if (at == rule.start()) return next.text;
  FUZZ_CHECK(rule.repeat && anyDay);
  if (rule.kind == 0) FUZZ_CHECK(at <= nowMinute + days{1});
  if (rule.kind == 1) {
    FUZZ_CHECK(rule.days.test(weekday{day}.iso_encoding()));
    FUZZ_CHECK(at <= nowMinute + days{7});
  }
  if (rule.kind == 2) {
    FUZZ_CHECK(rule.days.test(static_cast<unsigned>(year_month_day{day}.day())));
    // The longest wait between two days of the month is two months of 31 days.
    FUZZ_CHECK(at <= nowMinute + days{62});
  }
  return next.text;
}

void nextRuns(FuzzedDataProvider& in, const RegionalFormats& f, std::string_view block) {
  const local_seconds now = someMoment(in);

  // A block as any file holds it.
  ScheduleRecord record;
  readSchedulerFields(block, record);
  const auto rule = ruleOf(record, f);
  FUZZ_CHECK(getNextRunTime(block, now, f) == (rule ? nextRunOf(*rule, now, f) : ""));

  // The same repetition from a start the program wrote itself: that start always reads.
  record.StartDate = formatShortDate(someDate(in, f.shortDate), f);
  record.StartTime = formatTime24(seconds{in.ConsumeIntegralInRange<int>(0, 86399)});
  if (in.ConsumeBool()) {
    record.SAccurancy = in.ConsumeIntegralInRange<std::int16_t>(0, 3);
    record.Period = dayListText(DaySet(in.ConsumeIntegral<std::uint32_t>()),
                                static_cast<RepeatKind>(record.SAccurancy));
    record.Repeat = in.ConsumeBool();
  }
  const auto written = ruleOf(record, f);
  FUZZ_CHECK(written.has_value());
  nextRunOf(*written, now, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The last bytes are the choices; the rest is a scheduler block, whose texts the readers
  // get as well.
  const std::size_t choices = std::min<std::size_t>(size, 40);
  const std::string_view block(reinterpret_cast<const char*>(data), size - choices);
  FuzzedDataProvider in(data + size - choices, choices);
  static const std::vector<RegionalFormats> kFormats = [] {
    std::vector<RegionalFormats> all;
    for (int language = 0; language < 5; ++language) {
      for (const char* picture : kPictures) {
        all.push_back(namesOf(language));
        all.back().shortDate = picture;
      }
    }
    return all;
  }();
  const RegionalFormats& f =
      kFormats[in.ConsumeIntegralInRange<std::size_t>(0, kFormats.size() - 1)];

  ScheduleRecord fields;
  readSchedulerFields(block, fields);
  dates(in, f, fields.StartDate);
  times(in, fields.StartTime);
  dayLists(in, fields.Period);
  nextRuns(in, f, block);
  return 0;
}
