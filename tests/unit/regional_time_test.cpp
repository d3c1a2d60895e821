#include "core/schedule/regional_time.h"

#include <gtest/gtest.h>

namespace quenmark {
namespace {

using namespace std::chrono;

const char* const kPictures[] = {
    "M/d/yyyy", "MM/dd/yyyy",        "d/M/yyyy",   "dd/MM/yyyy", "dd.MM.yyyy",
    "d.M.yyyy", "d. M. yyyy",        "yyyy-MM-dd", "yyyy/MM/dd", "dd-MM-yyyy",
    "M/d/yy",   "dd.MM.yy",          "d/M/y",      "dd-MMM-yy",  "dddd, MMMM d, yyyy",
    "yyyyMMdd", "d' de 'M' de 'yyyy"};

TEST(ShortDate, FormatsByThePicture) {
  struct Case {
    const char* picture;
    year_month_day date;
    const char* text;
  };
  const Case cases[] = {
      {"M/d/yyyy", 2025y / 3 / 7, "3/7/2025"},
      {"MM/dd/yyyy", 2025y / 3 / 7, "03/07/2025"},
      {"d/M/yyyy", 2025y / 3 / 7, "7/3/2025"},
      {"dd/MM/yyyy", 2025y / 3 / 7, "07/03/2025"},
      {"dd.MM.yyyy", 2025y / 3 / 7, "07.03.2025"},
      {"d.M.yyyy", 2025y / 12 / 17, "17.12.2025"},
      {"d. M. yyyy", 2025y / 3 / 7, "7. 3. 2025"},
      {"yyyy-MM-dd", 2025y / 3 / 7, "2025-03-07"},
      {"yyyy/MM/dd", 2025y / 3 / 7, "2025/03/07"},
      {"dd-MM-yyyy", 2025y / 3 / 7, "07-03-2025"},
      {"M/d/yy", 2025y / 3 / 7, "3/7/25"},
      {"d/M/y", 2005y / 3 / 7, "7/3/5"},
      {"dd-MMM-yy", 1999y / 3 / 7, "07-Mar-99"},
      {"dddd, MMMM d, yyyy", 2025y / 3 / 7, "Friday, March 7, 2025"},
      {"yyyyMMdd", 2025y / 3 / 7, "20250307"},
      {"d' de 'M' de 'yyyy", 2025y / 3 / 7, "7 de 3 de 2025"},
      {"yyyy-MM-dd", 987y / 3 / 7, "0987-03-07"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatShortDate(c.date, {c.picture}), c.text) << c.picture;
}

TEST(ShortDate, EveryPictureReadsBackWhatItWrote) {
  std::vector<local_days> dates;
  for (local_days d{2024y / 1 / 1}; d < local_days{2026y / 1 / 1}; d += days{1}) dates.push_back(d);
  for (local_days d{1930y / 1 / 1}; d < local_days{2030y / 1 / 1}; d += days{37})
    dates.push_back(d);
  for (const char* picture : kPictures) {
    for (local_days d : dates) {
      const year_month_day date{d};
      ASSERT_EQ(parseShortDate(formatShortDate(date, {picture}), {picture}), date)
          << picture << " " << formatShortDate(date, {picture});
    }
  }
}

TEST(ShortDate, ReadsDatesAsUsersTypeThem) {
  struct Case {
    const char* text;
    const char* picture;
    year_month_day date;
  };
  const Case cases[] = {
      {"1/2/2025", "M/d/yyyy", 2025y / 1 / 2},   {"01/02/2025", "M/d/yyyy", 2025y / 1 / 2},
      {" 1/2/2025 ", "M/d/yyyy", 2025y / 1 / 2}, {"1/2/25", "M/d/yyyy", 2025y / 1 / 2},
      {"5.3.2025", "dd.MM.yyyy", 2025y / 3 / 5}, {"1.2.2025", "d. M. yyyy", 2025y / 2 / 1},
      {"1/2/29", "M/d/yy", 2029y / 1 / 2},       {"1/2/30", "M/d/yy", 1930y / 1 / 2},
      {"7-mar-25", "dd-MMM-yy", 2025y / 3 / 7},  {"2025-3-7", "yyyy-MM-dd", 2025y / 3 / 7},
      {"2/29/2024", "M/d/yyyy", 2024y / 2 / 29}, {"31/12/1999", "d/M/yyyy", 1999y / 12 / 31},
  };
  for (const Case& c : cases) EXPECT_EQ(parseShortDate(c.text, {c.picture}), c.date) << c.text;
}

TEST(ShortDate, RefusesWhatIsNoDate) {
  const char* texts[] = {"2/30/2025", "13/1/2025",  "2/29/2025", "0/1/2025", "1/0/2025",
                         "1/2/202",   "1/2",        "1/2/2025/", "a/b/c",    "",
                         "1-2-2025",  "123/1/2025", "4/31/2025", "1/32/2025"};
  for (const char* t : texts) EXPECT_EQ(parseShortDate(t, {"M/d/yyyy"}), std::nullopt) << t;
  EXPECT_EQ(parseShortDate("1/13/2025", {"d/M/yyyy"}), std::nullopt);
}

TEST(Time24, FormatsAndReads) {
  EXPECT_EQ(formatTime24(seconds{0}), "00:00:00");
  EXPECT_EQ(formatTime24(hours{9} + minutes{5} + seconds{7}), "09:05:07");
  EXPECT_EQ(formatTime24(hours{23} + minutes{59} + seconds{59}), "23:59:59");
  EXPECT_EQ(parseTime24("22:30:00"), hours{22} + minutes{30});
  EXPECT_EQ(parseTime24("9:5"), hours{9} + minutes{5});
  EXPECT_EQ(parseTime24("23:59:59"), hours{23} + minutes{59} + seconds{59});
  for (const char* t : {"24:00:00", "12:60:00", "12:00:60", "12", "12:00:00:00", "", "ab:cd",
                        "1:2:3 PM", "-1:00:00", "123:00"}) {
    EXPECT_EQ(parseTime24(t), std::nullopt) << t;
  }
}

TEST(LongTime, FormatsByThePictureAndDesignators) {
  struct Case {
    const char* picture;
    int h, m, s;
    const char* text;
  };
  const Case cases[] = {
      {"h:mm:ss tt", 0, 5, 9, "12:05:09 AM"},  {"h:mm:ss tt", 13, 0, 0, "1:00:00 PM"},
      {"h:mm:ss tt", 12, 0, 0, "12:00:00 PM"}, {"HH:mm:ss", 9, 5, 7, "09:05:07"},
      {"H:mm:ss", 9, 5, 7, "9:05:07"},         {"hh:mm:ss tt", 13, 4, 5, "01:04:05 PM"},
      {"h:m:s t", 13, 4, 5, "1:4:5 P"},        {"'at' HH.mm", 7, 30, 0, "at 07.30"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatLongTime(hours{c.h} + minutes{c.m} + seconds{c.s},
                             {"M/d/yyyy", c.picture, "AM", "PM"}),
              c.text)
        << c.picture;
  }
  const RegionalFormats japanese{"yyyy/MM/dd", "tt h:mm:ss", "\u5348\u524d", "\u5348\u5f8c"};
  EXPECT_EQ(formatLongTime(hours{13} + minutes{4}, japanese), "\u5348\u5f8c 1:04:00");
  EXPECT_EQ(formatLongTime(hours{13}, {"", "t h", "\u5348\u524d", "\u5348\u5f8c"}), "\u5348 1");
}

TEST(NextRunText, DateIsEverythingBeforeTheLastSpace) {
  const LocalMinute expected = local_days{2025y / 3 / 7} + hours{22} + minutes{30};
  EXPECT_EQ(formatNextRunText(local_days{2025y / 3 / 7} + hours{22} + minutes{30}, {"d. M. yyyy"}),
            "7. 3. 2025 22:30:00");
  EXPECT_EQ(parseNextRunText("7. 3. 2025 22:30:00", {"d. M. yyyy"}), expected);
  EXPECT_EQ(parseNextRunText("3/7/2025 22:30:59", {"M/d/yyyy"}), expected);
  EXPECT_EQ(parseNextRunText("3/7/2025 22:30 ", {"M/d/yyyy"}), expected);  // as a file held it
  EXPECT_EQ(parseNextRunText("3/7/2025", {"M/d/yyyy"}), std::nullopt);
  EXPECT_EQ(parseNextRunText("13/7/2025 22:30:00", {"M/d/yyyy"}), std::nullopt);
}

}  // namespace
}  // namespace quenmark
