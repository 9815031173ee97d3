#pragma once

// Records why the last call of the POSIX platform layer failed, for platform_error_text().
void posix_fail_errno(int error);
void posix_fail(const char* text);
