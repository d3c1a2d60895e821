#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/com_api_win32.h"

namespace quenmark::gui {

// The answer to WM_GETOBJECT for a control's client area: the system's own accessible object
// for the window, except that it reads `name` as the control's name. For controls whose
// name the system cannot take from their text (a list, a field whose label stands beside
// it). Oleacc is loaded on the first question, so a session without assistive technology
// never loads it; none when it cannot be loaded.
std::optional<LRESULT> accessibleObjectNamed(win32::AccessibilityApi& api, HWND window, WPARAM flags,
                                             const std::string& name);

}  // namespace quenmark::gui
