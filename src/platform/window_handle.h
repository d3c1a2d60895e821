#pragma once

#include <cstdint>

namespace quenmark {

// A window handle as the system hands it out; 0 for none. Portable code passes windows on
// without looking inside.
using WindowHandle = std::uintptr_t;

}  // namespace quenmark
