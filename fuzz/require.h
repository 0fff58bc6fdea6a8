// The fuzz targets' one check: a broken promise ends the run with what was broken, and libFuzzer
// keeps the input that broke it.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zeitrad::fuzz {

inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
        std::abort();
    }
}

} // namespace zeitrad::fuzz
