#pragma once

#include <windows.h>

#include "platform/regional.h"

namespace quenmark::win32 {

// The current user's short-date and long-time pictures, AM/PM designators and month and
// day names, read afresh on every call so that a change in the control panel is seen at once.
class Win32Regional final : public Regional {
 public:
  explicit Win32Regional(LCID locale = LOCALE_USER_DEFAULT) : locale_(locale) {}
  RegionalFormats formats() const override;

 private:
  LCID locale_;
};

}  // namespace quenmark::win32
