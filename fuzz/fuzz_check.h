#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the fuzz target when an invariant fails, naming it, so that libFuzzer keeps the input
// as a crash. Active in every build type, unlike assert.
#define QZ_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
