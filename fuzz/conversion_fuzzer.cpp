// The engine in memory under options taken from the input, its result checked for lost text and
// bad line ends.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/checks/fuzz_cases.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem = tessaline::check_conversion_case(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "conversion check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
