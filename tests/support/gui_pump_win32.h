#pragma once

#include <chrono>
#include <functional>

#include "gui/forms.h"

namespace quenmark::testing {

// Lets window messages run until `done` holds or `timeout` has passed; true when done.
bool pumpUntil(const gui::Forms& forms, const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Lets messages run for the whole period (to show that something does not happen).
void pumpFor(const gui::Forms& forms, std::chrono::milliseconds period);

}  // namespace quenmark::testing
