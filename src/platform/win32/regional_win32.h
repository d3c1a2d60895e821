#pragma once

#include "platform/regional.h"

namespace quenmark::win32 {

// The current user's short-date and long-time pictures and AM/PM designators, read afresh
// on every call so that a change in the control panel is seen at once.
class Win32Regional final : public Regional {
 public:
  RegionalFormats formats() const override;
};

}  // namespace quenmark::win32
