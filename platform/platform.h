#pragma once

#include <cstddef>
#include <cstdint>

// File and code-page services of the operating system. A POSIX implementation (iconv) and a
// Win32 one provide exactly these; nothing above this layer includes an OS header.

struct PlatformFile;

// Opens an existing file for reading and reports its size; nullptr when it cannot be opened.
PlatformFile* platform_open_existing(const char* path, uint64_t* size);
// Reads exactly `count` bytes; false on an error or a short read.
bool platform_read_exact(PlatformFile* file, void* into, size_t count);
void platform_close(PlatformFile* file);
