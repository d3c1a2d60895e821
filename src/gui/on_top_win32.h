#pragma once

#include <windows.h>

namespace quenmark {

// Puts the window into the topmost layer (or takes it out) without moving or sizing it.
void SetOnTop(HWND window, bool onTop);

}  // namespace quenmark
