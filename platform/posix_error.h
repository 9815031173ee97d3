#pragma once

#include "platform/platform.h"

namespace tessaline {

// Records why the last call of the POSIX platform layer failed, for platform_error_text() and
// platform_error_kind().
void posix_fail_errno(int error);
void posix_fail(PlatformErrorKind kind);

}  // namespace tessaline
