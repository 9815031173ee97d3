#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine_state.h"

// One conversion case as the fuzzer's bytes describe it: byte 0 holds the option flags and the
// preview size, byte 1 the minimum length, byte 2 whether the text is repeated into one long
// stretch; the rest is the CP949 source text. Shorter inputs use the defaults for what is missing.
struct ConversionCase {
    ConversionOptions options{};
    int preview_limit = 30000;
    std::string source;
};

ConversionCase decode_conversion_case(const uint8_t* data, size_t size);

// Runs one case through the engine and the result writer and checks the result: the written file ends in the
// footer, the text before it holds every text byte of the source in order (when neither Hanja
// removal nor a changed text is asked for), no NUL and no LF without CR, and the progress bar
// never moves back. Empty when all holds, else what failed.
std::string check_conversion_case(const uint8_t* data, size_t size);

// Byte 0 chooses the input encoding setting; the rest is written to a file that load_source_file
// reads. Checks the decoded source text against an independent decoding, then reflows it and
// checks the result as above.
std::string check_loader_case(const uint8_t* data, size_t size);
