#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace tessaline {

// Records why the last call of the Win32 platform layer failed, for platform_error_text() and
// platform_error_kind().
void win32_fail_code(DWORD error);
void win32_fail(PlatformErrorKind kind);
// A failure the system has no code for, explained in words of its own.
void win32_fail_text(const char* text);

}  // namespace tessaline
