// The engine fed the input in random pieces, down to single bytes, against the input whole, under
// the options taken from the input; the inputs are those of the conversion target.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/checks/fuzz_cases.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem = tessaline::check_piece_case(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "piece check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
