#pragma once

#include <array>
#include <string>

namespace quenmark {

// The user's regional pictures, in the Windows notation (M/d/yyyy, h:mm:ss tt, ...).
struct RegionalFormats {
  std::string shortDate = "M/d/yyyy";
  std::string longTime = "h:mm:ss tt";
  std::string am = "AM";
  std::string pm = "PM";
  // Month and weekday names in the user's language, January and Monday first: the pictures'
  // MMMM and dddd write the full names, MMM and ddd the abbreviated ones.
  std::array<std::string, 12> monthNames{"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
  std::array<std::string, 12> abbreviatedMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // The genitive forms some languages use beside a day number ("5 января", "5. Jan."); the
  // same as the plain names where a language has none.
  std::array<std::string, 12> genitiveMonthNames = monthNames;
  std::array<std::string, 12> genitiveAbbreviatedMonthNames = abbreviatedMonthNames;
  std::array<std::string, 7> dayNames{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                      "Friday", "Saturday", "Sunday"};
  std::array<std::string, 7> abbreviatedDayNames{"Mon", "Tue", "Wed", "Thu",
                                                 "Fri", "Sat", "Sun"};
};

class Regional {
 public:
  virtual ~Regional() = default;
  virtual RegionalFormats formats() const = 0;
};

}  // namespace quenmark
