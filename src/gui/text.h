#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quenmark::gui {

// Names of windows and controls compare without regard to letter case.
bool sameName(std::string_view a, std::string_view b);

// A window's text, however long.
std::wstring windowText(HWND window);

// Copies `text` into a caller's buffer of `capacity` WCHARs, cut to fit and terminated.
void copyToBuffer(const std::wstring& text, wchar_t* buffer, int capacity);

}  // namespace quenmark::gui
