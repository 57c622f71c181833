#pragma once
// A broken promise in a fuzz target must crash, so that the fuzzer keeps the input.

#include <cstdlib>

inline void require(bool condition) {
    if (!condition) std::abort();
}
