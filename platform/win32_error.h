#pragma once

#include <windows.h>

// Records why the last call of the Win32 platform layer failed, for platform_error_text().
void win32_fail_code(DWORD error);
void win32_fail(const char* text);
