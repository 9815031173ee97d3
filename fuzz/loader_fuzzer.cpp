// load_text on raw bytes under every input encoding setting, then the conversion of what
// it loaded, checked against an independent decoding and for lost text.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/checks/fuzz_cases.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string problem = tessaline::check_loader_case(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "loader check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
