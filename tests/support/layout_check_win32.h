#pragma once

#include <string>
#include <vector>

#include "gui/form.h"

namespace quenmark::testing {

// What a look at the window would find wrong: each visible control that leaves the client
// area, and each pair of visible controls of which one covers the other (a control inside
// a frame is not said to cover the frame).
std::vector<std::string> layoutFaults(gui::Form& window);

}  // namespace quenmark::testing
