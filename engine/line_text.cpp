#include "engine/line_text.h"

#include <cstring>

void LineText::append(const void* from, size_t count) {
    reserve(static_cast<size_t>(length) + count);
    // The bytes may come from the line itself.
    std::memmove(buffer.data() + length, from, count);
    length += static_cast<int64_t>(count);
    buffer.data()[length] = 0;
}

void LineText::truncate(int64_t new_length) {
    length = new_length;
    buffer.data()[length] = 0;
}

void LineText::assign(const void* from, size_t count) {
    reserve(count);
    if (count > 0) std::memcpy(buffer.data(), from, count);
    length = static_cast<int64_t>(count);
    buffer.data()[length] = 0;
}
