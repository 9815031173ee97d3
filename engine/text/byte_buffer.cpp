#include "engine/text/byte_buffer.h"

#include <cstdlib>
#include <new>
#include <utility>

namespace tessaline {

ByteBuffer::~ByteBuffer() { std::free(bytes_); }

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), capacity_(std::exchange(other.capacity_, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    std::swap(bytes_, other.bytes_);
    std::swap(capacity_, other.capacity_);
    return *this;
}

void ByteBuffer::release() {
    std::free(bytes_);
    bytes_ = nullptr;
    capacity_ = 0;
}

void ByteBuffer::grow(size_t needed) {
    size_t grown = capacity_ + capacity_ / 2 + 64;
    size_t capacity = grown > needed ? grown : needed;
    auto* bytes = static_cast<unsigned char*>(std::realloc(bytes_, capacity));
    if (bytes == nullptr) throw std::bad_alloc();
    bytes_ = bytes;
    capacity_ = capacity;
}

}  // namespace tessaline
