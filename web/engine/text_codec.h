#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "pipeline/batch_request.h"

// The page reads and writes text the way the command line does: the input is detected and
// decoded into the CP949 text the engine works on, the result encoded as asked.

struct DecodedText {
    std::string cp949;
    const char* encoding;   // what the file was read as: "cp949", "utf-8" or "utf-16le"
};

// The file's bytes as CP949 under an input encoding. NUL characters are dropped; characters CP949
// lacks and malformed sequences become "?".
DecodedText decode_input(const unsigned char* bytes, size_t count, InputEncoding input_encoding);

// Bytes in a buffer of their own, which may be longer.
struct Bytes {
    std::unique_ptr<char[]> data;
    size_t size;
};

// CP949 text as UTF-8: a byte that does not begin a CP949 character becomes U+FFFD.
Bytes cp949_to_utf8(const std::string& cp949);
