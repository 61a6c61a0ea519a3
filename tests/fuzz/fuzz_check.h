#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant that does not hold is a finding: say which, then stop so that libFuzzer keeps
// the input (and the replay of the corpus fails).
#define FUZZ_CHECK(condition, what)                                                           \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)
