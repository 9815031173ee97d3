#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/reflow.h"

namespace tessaline {

// One conversion case as the fuzzer's bytes describe it: byte 0 holds the option flags, byte 1 the minimum length, byte 2 whether the text is repeated into one long
// stretch; the rest is the CP949 source text. Shorter inputs use the defaults for what is missing.
struct ConversionCase {
    ConversionOptions options{};
    std::string source;
};

ConversionCase decode_conversion_case(const uint8_t* data, size_t size);

// Runs one case through the engine in memory and checks the result: it holds every text byte of
// the source in order (unless Hanja removal is asked for), and no NUL and no LF without CR.
// Empty when all holds, else what failed.
std::string check_conversion_case(const uint8_t* data, size_t size);

// Runs one case through the engine whole and fed in random pieces, the cuts chosen by the case's
// bytes, and checks that both give the same bytes.
std::string check_piece_case(const uint8_t* data, size_t size);

// Byte 0 chooses the input encoding (modulo 8: automatic, automatic, cp949, utf-8, utf-16le,
// utf-16be, utf-16, automatic), the result's encoding (bits 6-7: cp949, same, utf-8, same) and
// options (bits 3-5: long-paragraph splitting, empty line after long paragraphs, book
// vocabulary); the rest is written to a file that load_text reads. Checks the decoded source
// text against iconv's reading of the file, then converts the file through a batch of one and
// checks the written file: it ends in the footer, the text before it is kept as
// above (a UTF-8 result character by character), and the progress bar never moves back. Then the
// same again with the file read as UTF-8 and written as UTF-8.
std::string check_loader_case(const uint8_t* data, size_t size);

}  // namespace tessaline
