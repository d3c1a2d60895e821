#include "platform/win32/regional_win32.h"

#include <windows.h>

#include <iterator>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// Leaves `into` as it was when the locale cannot say, so the defaults hold.
void readLocaleText(LCID locale, LCTYPE type, std::string& into) {
  wchar_t buf[128];
  const int n = GetLocaleInfoW(locale, type, buf, static_cast<int>(std::size(buf)));
  if (n > 0) into = narrow(std::wstring_view(buf, static_cast<std::size_t>(n - 1)));
}

}  // namespace

RegionalFormats Win32Regional::formats() const {
  RegionalFormats f;
  readLocaleText(locale_, LOCALE_SSHORTDATE, f.shortDate);
  readLocaleText(locale_, LOCALE_STIMEFORMAT, f.longTime);
  readLocaleText(locale_, LOCALE_S1159, f.am);
  readLocaleText(locale_, LOCALE_S2359, f.pm);
  // The name constants of each kind are consecutive, January and Monday first.
  for (LCTYPE i = 0; i < 12; ++i) {
    readLocaleText(locale_, LOCALE_SMONTHNAME1 + i, f.monthNames[i]);
    readLocaleText(locale_, LOCALE_SABBREVMONTHNAME1 + i, f.abbreviatedMonthNames[i]);
    f.genitiveMonthNames[i] = f.monthNames[i];
    f.genitiveAbbreviatedMonthNames[i] = f.abbreviatedMonthNames[i];
    readLocaleText(locale_, (LOCALE_SMONTHNAME1 + i) | LOCALE_RETURN_GENITIVE_NAMES,
                   f.genitiveMonthNames[i]);
    readLocaleText(locale_, (LOCALE_SABBREVMONTHNAME1 + i) | LOCALE_RETURN_GENITIVE_NAMES,
                   f.genitiveAbbreviatedMonthNames[i]);
  }
  for (LCTYPE i = 0; i < 7; ++i) {
    readLocaleText(locale_, LOCALE_SDAYNAME1 + i, f.dayNames[i]);
    readLocaleText(locale_, LOCALE_SABBREVDAYNAME1 + i, f.abbreviatedDayNames[i]);
  }
  return f;
}

}  // namespace quenmark::win32
