#pragma once

#include <windows.h>

#include <string>

namespace quenmark::testing {

// The folder of the running test program followed by "\screenshots", created when missing:
// the build folder, where screenshots are kept for review.
std::string screenshotFolder();

// Captures the window, frame included, as it is drawn now into a 24-bit BMP file. False
// when any step fails.
bool saveWindowBitmap(HWND window, const std::string& path);

}  // namespace quenmark::testing
