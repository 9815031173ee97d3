#include "engine/text_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The caller gives up the one file that needed the memory and goes on with the next.
[[noreturn]] void out_of_memory() { throw std::bad_alloc(); }

}  // namespace

void text_buffer_grow(TextBuffer& buffer, size_t needed) {
    size_t grown = buffer.capacity + buffer.capacity / 2 + 64;
    size_t capacity = grown > needed ? grown : needed;
    auto* bytes = static_cast<unsigned char*>(std::realloc(buffer.bytes, capacity));
    if (bytes == nullptr) out_of_memory();
    std::memset(bytes + buffer.capacity, 0, capacity - buffer.capacity);
    buffer.bytes = bytes;
    buffer.capacity = capacity;
}

void text_buffer_reset(TextBuffer& buffer, size_t size) {
    if (size == 0) size = 1;
    if (size != buffer.capacity) {
        std::free(buffer.bytes);
        buffer.bytes = static_cast<unsigned char*>(std::calloc(size, 1));
        if (buffer.bytes == nullptr) out_of_memory();
        buffer.capacity = size;
    } else {
        std::memset(buffer.bytes, 0, size);
    }
}

void text_buffer_release(TextBuffer& buffer) {
    std::free(buffer.bytes);
    buffer.bytes = nullptr;
    buffer.capacity = 0;
}
