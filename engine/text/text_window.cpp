#include "engine/text/text_window.h"

#include <cstring>
#include <utility>

namespace tessaline {

void TextWindow::append_growing(const void* bytes, size_t count) {
    size_t start = first_ == nullptr ? 0 : static_cast<size_t>(first_ - buffer_.data());
    if (start + size_ + count + 1 + search_slack > buffer_.capacity() && start > 0) {
        // The forgotten bytes make room first: the window moves to the front of its memory.
        std::memmove(buffer_.data(), first_, size_);
        start = 0;
    }
    buffer_.reserve(start + size_ + count + 1 + search_slack);
    first_ = buffer_.data() + start;
    if (count > 0) std::memcpy(first_ + size_, bytes, count);
    size_ += count;
    first_[size_] = 0;
}

void TextWindow::shrink() {
    ByteBuffer smaller;
    smaller.reserve(size_ + 1 + search_slack);
    if (size_ > 0) std::memcpy(smaller.data(), first_, size_);
    smaller.data()[size_] = 0;
    buffer_ = std::move(smaller);
    first_ = buffer_.data();
}

void TextWindow::reset(int64_t pos) {
    buffer_.release();
    first_ = nullptr;
    base_ = pos;
    size_ = 0;
}

void append_text(TextWindow& text, std::span<const unsigned char> bytes) {
    while (!bytes.empty()) {
        const void* nul = std::memchr(bytes.data(), 0, bytes.size());
        size_t run =
            nul == nullptr ? bytes.size() : static_cast<size_t>(static_cast<const unsigned char*>(nul) - bytes.data());
        text.append(bytes.data(), run);
        bytes = bytes.subspan(run == bytes.size() ? run : run + 1);
    }
}

}  // namespace tessaline
