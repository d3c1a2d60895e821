#include "platform/win32/regional_win32.h"

#include <windows.h>

#include <iterator>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// Leaves `into` as it was when the locale cannot say, so the defaults hold.
void readLocaleText(LCTYPE type, std::string& into) {
  wchar_t buf[128];
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, static_cast<int>(std::size(buf)));
  if (n > 0) into = narrow(std::wstring_view(buf, static_cast<std::size_t>(n - 1)));
}

}  // namespace

RegionalFormats Win32Regional::formats() const {
  RegionalFormats f;
  readLocaleText(LOCALE_SSHORTDATE, f.shortDate);
  readLocaleText(LOCALE_STIMEFORMAT, f.longTime);
  readLocaleText(LOCALE_S1159, f.am);
  readLocaleText(LOCALE_S2359, f.pm);
  return f;
}

}  // namespace quenmark::win32
