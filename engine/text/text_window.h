#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "engine/text/byte_buffer.h"
#include "engine/text/byte_search.h"
#include "engine/text/word_match.h"

namespace tessaline {

// The part of a growing text that the rules still read: the bytes from `base()` to `end()`,
// addressed by their positions in the whole text. Every other position reads as NUL, so no rule
// ever reads outside the text; the byte at `end()` is kept NUL in memory too, and the memory
// holds search_slack bytes more, which byte searches read past the end.
class TextWindow {
public:
    int64_t base() const { return base_; }
    int64_t end() const { return base_ + static_cast<int64_t>(size_); }

    // Inline, as the rules read the texts byte by byte.
    unsigned char at(int64_t pos) const {
        auto offset = static_cast<uint64_t>(pos - base_);
        return offset < size_ ? first_[offset] : 0;
    }

    // A word matches when `length` bytes from `pos` equal it; a NUL never matches, so neither
    // does a word that reaches outside the window.
    bool has(int64_t pos, const char* word, int length) const {
        if (length <= 0) return true;
        auto offset = static_cast<uint64_t>(pos - base_);
        if (offset >= size_ || size_ - offset < static_cast<uint64_t>(length)) return false;
        return matches_word(first_ + offset, word, length);
    }

    // Where the byte at `pos` (from base() to end()) lies in memory; valid until the next append.
    const unsigned char* pointer(int64_t pos) const { return first_ + (pos - base_); }

    // Inline while the bytes fit, as most appends are a few bytes long.
    void append(const void* bytes, size_t count) {
        if (first_ != nullptr && first_ + size_ + count + search_slack < buffer_.data() + buffer_.capacity()) {
            std::memcpy(first_ + size_, bytes, count);
            size_ += count;
            first_[size_] = 0;
            return;
        }
        append_growing(bytes, count);
    }

    // Forgets the bytes before `pos`; their memory is reused by later appends. Inline, as every
    // line asks.
    void drop_before(int64_t pos) {
        if (pos <= base_) return;
        auto dropped = static_cast<size_t>(pos - base_);
        if (dropped > size_) dropped = size_;
        first_ += dropped;
        size_ -= dropped;
        base_ += static_cast<int64_t>(dropped);
        // Memory a long line needed goes back once the window holds far less.
        if (buffer_.capacity() > large_window && size_ < buffer_.capacity() / 4) shrink();
    }

    // Forgets everything and gives the memory back; the window then starts at `pos`.
    void reset(int64_t pos);

private:
    // A window's memory beyond this is given back when most of it is no longer needed.
    static constexpr size_t large_window = size_t{1} << 20;

    void shrink();
    void append_growing(const void* bytes, size_t count);

    ByteBuffer buffer_;
    unsigned char* first_ = nullptr;  // the byte at base_
    int64_t base_ = 0;
    size_t size_ = 0;
};

// The first position from `from` on, below `to` (at most text.end()), that holds `Value`; `to`
// when none does.
template <unsigned char Value>
int64_t find_in_window(const TextWindow& text, int64_t from, int64_t to) {
    if (from >= to) return to;
    return from + find_first_of<Value>(text.pointer(from), 0, to - from);
}

// Appends `bytes` to `text` without the NUL bytes among them, which are no text.
void append_text(TextWindow& text, std::span<const unsigned char> bytes);

}  // namespace tessaline
