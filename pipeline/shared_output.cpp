#include "pipeline/shared_output.h"

#include "platform/platform.h"

namespace tessaline {

bool DirectOutput::write(const unsigned char* bytes, size_t count) { return platform_write_stdout(bytes, count); }

}  // namespace tessaline
