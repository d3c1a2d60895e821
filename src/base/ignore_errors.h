#pragma once

namespace quenmark {

// Runs one step of a routine that must go on to its end whatever fails (a close, an unload,
// a translation): an exception the step throws ends the step, not the routine. True when
// the step ran through.
template <class F>
bool ignoreErrors(F&& step) {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace quenmark
