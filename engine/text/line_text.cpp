#include "engine/text/line_text.h"

#include <cstring>

namespace tessaline {

void LineText::assign(const void* from, size_t count) {
    reserve(count);
    if (count > 0) std::memcpy(buffer.data(), from, count);
    length = static_cast<int64_t>(count);
    buffer.data()[length] = 0;
}

}  // namespace tessaline
