#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/rules/word.h"

namespace tessaline {

// The entries of a word list (or of a list of rules) grouped by the byte that tells them apart,
// such as a word's last byte: at a joint the rules then compare only the few entries that can
// match instead of the whole list. Built once per list and never changed.
template <typename Entry>
class ByteIndex {
public:
    // `keys` gives the bytes under which an entry is found.
    template <typename Keys>
    ByteIndex(std::span<const Entry> entries, Keys keys) {
        std::array<std::vector<const Entry*>, 256> buckets;
        for (const Entry& entry : entries) {
            std::bitset<256> under = keys(entry);
            for (size_t b = 0; b < 256; ++b)
                if (under[b]) buckets[b].push_back(&entry);
        }
        for (size_t b = 0; b < 256; ++b) {
            starts_[b] = static_cast<uint32_t>(entries_.size());
            entries_.insert(entries_.end(), buckets[b].begin(), buckets[b].end());
        }
        starts_[256] = static_cast<uint32_t>(entries_.size());
    }

    // The entries found under `b`, in the order of their list.
    std::span<const Entry* const> under(unsigned char b) const {
        return std::span<const Entry* const>(entries_.data() + starts_[b], starts_[b + 1] - starts_[b]);
    }

private:
    std::vector<const Entry*> entries_;
    std::array<uint32_t, 257> starts_{};
};

// A word is found under its last or its first byte; a word without bytes matches everywhere.
inline std::bitset<256> last_byte_of(const Word& word) {
    std::bitset<256> under;
    if (word.length == 0) return under.set();
    return under.set(static_cast<unsigned char>(word.bytes[word.length - 1]));
}

inline std::bitset<256> first_byte_of(const Word& word) {
    std::bitset<256> under;
    if (word.length == 0) return under.set();
    return under.set(static_cast<unsigned char>(word.bytes[0]));
}

// Every first byte of a list of words.
inline std::bitset<256> first_bytes_of(std::span<const Word> words) {
    std::bitset<256> under;
    for (const Word& word : words) under |= first_byte_of(word);
    return under;
}

}  // namespace tessaline
