#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <ctime>
#include <iterator>

#include "platform/win32/clock_win32.h"
#include "platform/win32/regional_win32.h"
#include "platform/win32/text_win32.h"
#include "core/schedule/regional_time.h"

namespace quenmark::win32 {
namespace {

using namespace std::chrono;

SYSTEMTIME systemTime(year_month_day d, int h, int m, int s) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(static_cast<int>(d.year()));
  st.wMonth = static_cast<WORD>(static_cast<unsigned>(d.month()));
  st.wDay = static_cast<WORD>(static_cast<unsigned>(d.day()));
  st.wDayOfWeek = static_cast<WORD>(weekday{sys_days{d}}.c_encoding());
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(m);
  st.wSecond = static_cast<WORD>(s);
  return st;
}

std::string windowsDate(const SYSTEMTIME& st, const wchar_t* picture,
                        LCID locale = LOCALE_USER_DEFAULT) {
  wchar_t buf[128];
  const int n = GetDateFormatW(locale, picture ? 0 : DATE_SHORTDATE, &st, picture, buf,
                               static_cast<int>(std::size(buf)));
  return n > 0 ? narrow(std::wstring_view(buf, static_cast<std::size_t>(n - 1))) : "<failed>";
}

std::string windowsTime(const SYSTEMTIME& st, const wchar_t* picture) {
  wchar_t buf[128];
  const int n =
      GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, picture, buf, static_cast<int>(std::size(buf)));
  return n > 0 ? narrow(std::wstring_view(buf, static_cast<std::size_t>(n - 1))) : "<failed>";
}

const year_month_day kDates[] = {2025y / 1 / 5, 2024y / 2 / 29, 1999y / 12 / 31, 2030y / 10 / 10};

// Windows itself is the reference for what a picture produces.
TEST(RegionalWin32, NumericPicturesFormatAsWindowsFormatsThem) {
  const char* pictures[] = {"M/d/yyyy",   "MM/dd/yyyy",        "d/M/yyyy",   "dd/MM/yyyy",
                            "dd.MM.yyyy", "d.M.yyyy",          "d. M. yyyy", "yyyy-MM-dd",
                            "yyyy/MM/dd", "dd-MM-yyyy",        "M/d/yy",     "dd.MM.yy",
                            "d/M/y",      "yyyy'年'M'月'd'日'"};
  for (const char* picture : pictures) {
    for (year_month_day d : kDates) {
      EXPECT_EQ(formatShortDate(d, {picture}),
                windowsDate(systemTime(d, 0, 0, 0), widen(picture).c_str()))
          << picture;
    }
  }
}

// Month and day names come from the regional settings, in their language: German and
// Russian here, whatever the user's own settings.
TEST(RegionalWin32, NamesAreTheLocalesOwnBothWays) {
  const wchar_t* pictures[] = {L"dddd, d. MMMM yyyy", L"ddd dd-MMM-yyyy", L"d MMMM yyyy"};
  for (LCID locale : {LCID{0x0407}, LCID{0x0419}, LCID{0x0409}}) {
    RegionalFormats f = Win32Regional(locale).formats();
    for (const wchar_t* picture : pictures) {
      f.shortDate = narrow(picture);
      for (year_month_day d : kDates) {
        const std::string text = formatShortDate(d, f);
        EXPECT_EQ(text, windowsDate(systemTime(d, 0, 0, 0), picture, locale)) << locale;
        EXPECT_EQ(parseShortDate(text, f), d) << text;
      }
    }
  }
  EXPECT_EQ(Win32Regional(0x0407).formats().monthNames[2], "M\u00e4rz");
}

TEST(RegionalWin32, UserPicturesMatchWindowsAndReadBack) {
  const RegionalFormats f = Win32Regional().formats();
  ASSERT_FALSE(f.shortDate.empty());
  ASSERT_FALSE(f.longTime.empty());
  for (year_month_day d : kDates) {
    const SYSTEMTIME st = systemTime(d, 21, 5, 9);
    EXPECT_EQ(formatShortDate(d, f), windowsDate(st, nullptr));
    EXPECT_EQ(parseShortDate(formatShortDate(d, f), f), d);
    EXPECT_EQ(formatLongTime(hours{21} + minutes{5} + seconds{9}, f), windowsTime(st, nullptr));
  }
}

TEST(RegionalWin32, TimePicturesFormatAsWindowsFormatsThem) {
  RegionalFormats f = Win32Regional().formats();
  const char* pictures[] = {"h:mm:ss tt",  "HH:mm:ss",   "H:mm:ss",
                            "hh:mm:ss tt", "tt h:mm:ss", "h.mm t"};
  const int times[][3] = {{0, 0, 0}, {9, 5, 7}, {12, 30, 0}, {23, 59, 59}};
  for (const char* picture : pictures) {
    f.longTime = picture;
    for (const auto& t : times) {
      const SYSTEMTIME st = systemTime(2025y / 1 / 5, t[0], t[1], t[2]);
      EXPECT_EQ(formatLongTime(hours{t[0]} + minutes{t[1]} + seconds{t[2]}, f),
                windowsTime(st, widen(picture).c_str()))
          << picture;
    }
  }
}

TEST(ClockWin32, AgreesWithTheRuntimeLocalTime) {
  const local_seconds ours = Win32Clock().now();
  const std::time_t t = std::time(nullptr);
  const std::tm* tm = std::localtime(&t);
  ASSERT_NE(tm, nullptr);
  const local_seconds crt = local_days{year{tm->tm_year + 1900} / (tm->tm_mon + 1) / tm->tm_mday} +
                            hours{tm->tm_hour} + minutes{tm->tm_min} + seconds{tm->tm_sec};
  EXPECT_LE(abs(ours - crt), seconds{2});
}

}  // namespace
}  // namespace quenmark::win32
