#pragma once

#include <cstddef>

// A heap buffer of bytes that grows on demand; the owner keeps the text's length beside it.
struct TextBuffer {
    unsigned char* bytes;
    size_t capacity;
};

// Makes room for at least `needed` bytes, keeping the current contents; bytes gained are zero.
void text_buffer_grow(TextBuffer& buffer, size_t needed);
inline void text_buffer_reserve(TextBuffer& buffer, size_t needed) {
    if (needed > buffer.capacity) text_buffer_grow(buffer, needed);
}

// Gives the buffer exactly `size` bytes (at least 1), all zero: earlier contents are discarded.
void text_buffer_reset(TextBuffer& buffer, size_t size);

void text_buffer_release(TextBuffer& buffer);
