#pragma once

#include <string>

namespace quenmark {

// The user's regional pictures, in the Windows notation (M/d/yyyy, h:mm:ss tt, ...).
struct RegionalFormats {
  std::string shortDate = "M/d/yyyy";
  std::string longTime = "h:mm:ss tt";
  std::string am = "AM";
  std::string pm = "PM";
};

class Regional {
 public:
  virtual ~Regional() = default;
  virtual RegionalFormats formats() const = 0;
};

}  // namespace quenmark
