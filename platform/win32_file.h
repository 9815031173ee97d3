#pragma once

#include <windows.h>

namespace tessaline {

// An open file of the Win32 platform layer: its handle, closed by platform_close.
struct PlatformFile {
    HANDLE handle;
};

// One read or write call never asks for more than this, which every system accepts.
constexpr DWORD io_chunk = DWORD{1} << 30;

inline DWORD chunk_of(size_t count) { return count < io_chunk ? static_cast<DWORD>(count) : io_chunk; }

}  // namespace tessaline
