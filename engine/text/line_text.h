#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/text/byte_buffer.h"
#include "engine/text/byte_search.h"
#include "engine/text/word_match.h"

namespace tessaline {

// A line being rebuilt by the rules, `length` bytes long and NUL-terminated at that length.
struct LineText {
    ByteBuffer buffer;
    int64_t length = 0;

    unsigned char* bytes() { return buffer.data(); }
    const unsigned char* bytes() const { return buffer.data(); }

    // A position before the start or at or past the end reads as NUL. Inline, as the rules read
    // the line byte by byte.
    unsigned char at(int64_t pos) const {
        return static_cast<uint64_t>(pos) < static_cast<uint64_t>(length) ? buffer.data()[pos] : 0;
    }

    // A word matches when `count` bytes from `pos` equal it; a NUL never matches, so neither
    // does a word that reaches outside the line.
    bool has(int64_t pos, const char* word, int count) const {
        if (count <= 0) return true;
        if (pos < 0 || pos + count > length) return false;
        return matches_word(buffer.data() + pos, word, count);
    }

    // Room for `count` bytes, the NUL after them and the bytes a search may read past them, the
    // contents kept.
    void reserve(size_t count) { buffer.reserve(count + 1 + search_slack); }
    // The bytes may come from the line itself.
    void append(const void* from, size_t count) {
        reserve(static_cast<size_t>(length) + count);
        std::memmove(buffer.data() + length, from, count);
        length += static_cast<int64_t>(count);
        buffer.data()[length] = 0;
    }
    void truncate(int64_t new_length) {
        length = new_length;
        buffer.data()[length] = 0;
    }
    // Replaces the contents by `count` bytes.
    void assign(const void* bytes, size_t count);
};

}  // namespace tessaline
