#pragma once

#include <cstddef>

namespace tessaline {

// An open file of the POSIX platform layer: its descriptor, closed by platform_close.
struct PlatformFile {
    int descriptor;
};

// One read or write call never asks for more than this, which every system accepts.
constexpr size_t io_chunk = size_t{1} << 30;

}  // namespace tessaline
