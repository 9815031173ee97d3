#include "engine/text_window.h"

#include <cstring>

void TextWindow::append(const void* bytes, size_t count) {
    size_t start = first_ == nullptr ? 0 : static_cast<size_t>(first_ - buffer_.data());
    if (start + size_ + count + 1 > buffer_.capacity() && start > 0) {
        // The forgotten bytes make room first: the window moves to the front of its memory.
        std::memmove(buffer_.data(), first_, size_);
        start = 0;
    }
    buffer_.reserve(start + size_ + count + 1);
    first_ = buffer_.data() + start;
    if (count > 0) std::memcpy(first_ + size_, bytes, count);
    size_ += count;
    first_[size_] = 0;
}

void TextWindow::drop_before(int64_t pos) {
    if (pos <= base_) return;
    auto dropped = static_cast<size_t>(pos - base_);
    if (dropped > size_) dropped = size_;
    first_ += dropped;
    size_ -= dropped;
    base_ += static_cast<int64_t>(dropped);
}

void TextWindow::reset(int64_t pos) {
    buffer_.release();
    first_ = nullptr;
    base_ = pos;
    size_ = 0;
}
