#pragma once

namespace tessaline {

// A word of a list: its CP949 bytes and the number of bytes a comparison covers.
struct Word {
    const char* bytes;
    int length;
};

}  // namespace tessaline
