#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

// An input read whole at once, as the window's preview of a chosen file needs it.
struct LoadedText {
    std::string text;   // CP949, NUL characters dropped; cut at the limit asked for
    uint64_t size = 0;  // the bytes of the input, never fewer than the whole text's
    TextEncoding encoding = TextEncoding::cp949;
    StandInTable stand_ins;   // for a UTF-8 result
    UnkeptCharacters unkept;  // characters a CP949 result lacks, written as "?"
    std::string warning;      // what was not text, in English; empty when all was
    std::string failure;      // why it could not be loaded, in English
};

// Loads a file, or standard input for "-", for a result in `output`: its encoding found (or
// forced) as `input` says, read to its end, decoded to CP949. Of the text only the first
// `kept_bytes` are kept. False, with the failure told, when it cannot be opened or read or is
// plainly not text.
bool load_text(const std::string& path, InputEncoding input, OutputEncoding output, LoadedText& loaded,
               size_t kept_bytes = std::numeric_limits<size_t>::max());

}  // namespace tessaline
