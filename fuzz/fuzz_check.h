#pragma once

#include <cstdio>
#include <cstdlib>

// A property of a fuzz target: when it fails, the report names it and the run stops with
// the input kept.
#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)
