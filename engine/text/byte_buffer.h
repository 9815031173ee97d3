#pragma once

#include <cstddef>

namespace tessaline {

// A heap buffer of bytes that grows on demand and frees itself; the owner keeps the length of
// the text in it. Running out of memory throws std::bad_alloc, so the caller can give up the one
// conversion that needed it and go on with the next.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ~ByteBuffer();
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    unsigned char* data() { return bytes_; }
    const unsigned char* data() const { return bytes_; }
    size_t capacity() const { return capacity_; }

    // Makes room for at least `needed` bytes, keeping the contents; the bytes gained are not set,
    // so memory a text never reaches is never touched.
    void reserve(size_t needed) {
        if (needed > capacity_) grow(needed);
    }

    // Gives the memory back.
    void release();

private:
    void grow(size_t needed);

    unsigned char* bytes_ = nullptr;
    size_t capacity_ = 0;
};

}  // namespace tessaline
