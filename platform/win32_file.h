#pragma once

#include <windows.h>

namespace tessaline {

// An open file of the Win32 platform layer: its handle, closed by platform_close.
struct PlatformFile {
    HANDLE handle;
};

// One read or write call never asks for more than this, which every system accepts.
constexpr DWORD IO_CHUNK = DWORD{1} << 30;

inline DWORD chunk_of(size_t count) { return count < IO_CHUNK ? static_cast<DWORD>(count) : IO_CHUNK; }

}  // namespace tessaline
