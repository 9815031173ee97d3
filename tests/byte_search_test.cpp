// The searches that test many bytes at once against a byte-by-byte reading of the same rule, at
// every offset and length around the widths they work in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/rules/byte_index.h"
#include "engine/text/byte_search.h"

namespace tessaline {

namespace {

const unsigned char* bytes_of(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

int64_t first_of_reference(const std::string& text, int64_t from, int64_t to) {
    for (int64_t k = from; k < to; ++k) {
        unsigned char b = static_cast<unsigned char>(text[k]);
        if (b == '"' || b == '[' || b == 0xA1) return k;
    }
    return to;
}

int64_t pair_reference(const std::string& text, int64_t from, int64_t to, unsigned char a, unsigned char b) {
    for (int64_t k = from; k + 1 < to; ++k)
        if (static_cast<unsigned char>(text[k]) == a && static_cast<unsigned char>(text[k + 1]) == b) return k;
    return to;
}

// Texts of every length up to 40 with one wanted byte (or pair) at every position, in a filler
// of Hangul bytes that share bits with the wanted ones.
TEST(ByteSearch, FindsTheFirstOfSeveralBytesAtEveryPosition) {
    for (unsigned char wanted : {0x22, 0x5B, 0xA1}) {
        for (size_t length = 0; length <= 40; ++length) {
            for (size_t at = 0; at <= length; ++at) {
                // The search reads past the end into the slack a line keeps; it holds wanted bytes too.
                std::string text(length + search_slack, static_cast<char>(wanted));
                std::fill(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), '\xB1');
                if (at < length) text[at] = static_cast<char>(wanted);
                for (int64_t from : {int64_t{0}, int64_t{1}, int64_t{7}}) {
                    auto to = static_cast<int64_t>(length);
                    if (from > to) continue;
                    EXPECT_EQ((find_first_of<'"', '[', 0xA1>(bytes_of(text), from, to)),
                              first_of_reference(text, from, to))
                        << "length " << length << ", byte at " << at << ", from " << from;
                }
            }
        }
    }
}

// The search backwards must not read before `from`: the bytes there are LF too, and so are those
// at and past `to`.
TEST(ByteSearch, FindsTheLastByteAtEveryPositionWithinItsRange) {
    for (size_t length = 0; length <= 40; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            for (int64_t from : {int64_t{0}, int64_t{1}, int64_t{7}}) {
                auto to = static_cast<int64_t>(length);
                if (from > to) continue;
                std::string text(length + search_slack, '\n');
                std::fill(text.begin() + from, text.begin() + to, '\xB1');
                if (static_cast<int64_t>(at) >= from && at < length) text[at] = '\n';
                int64_t expected =
                    static_cast<int64_t>(at) >= from && at < length ? static_cast<int64_t>(at) : from - 1;
                EXPECT_EQ(find_last_of<'\n'>(bytes_of(text), from, to), expected)
                    << "length " << length << ", byte at " << at << ", from " << from;
            }
        }
    }
}

// Texts of up to 200 bytes, across several 64-byte counts, with LFs at a varying step, some
// runs of them, and LFs past the end too; every count from 1 to past the number there.
TEST(ByteSearch, FindsTheNthByteAndCountsThosePassedWhenFewerStand) {
    for (size_t length = 0; length <= 200; length += 7) {
        for (size_t step : {size_t{1}, size_t{3}, size_t{29}, size_t{70}}) {
            std::string text(length + search_slack, '\n');
            for (size_t k = 0; k < length; ++k) text[k] = k % step == step - 1 || k % 61 == 60 ? '\n' : '\xB1';
            std::vector<int64_t> lfs;
            for (size_t k = 1; k < length; ++k)
                if (text[k] == '\n') lfs.push_back(static_cast<int64_t>(k));
            auto to = static_cast<int64_t>(length);
            for (int64_t n = 1; n <= static_cast<int64_t>(lfs.size()) + 2; ++n) {
                int64_t left = n;
                int64_t found = find_nth_of<'\n'>(bytes_of(text), 1, to, left);
                bool there = n <= static_cast<int64_t>(lfs.size());
                EXPECT_EQ(found, there ? lfs[static_cast<size_t>(n - 1)] : to) << "length " << length << ", n " << n;
                EXPECT_EQ(left, there ? 0 : n - static_cast<int64_t>(lfs.size())) << "length " << length << ", n " << n;
            }
        }
    }
}

// A lead byte counts only with one of two trail bytes after it; the trail may stand past `to`.
TEST(ByteSearch, FindsALeadByteOnlyBeforeItsTrailBytes) {
    auto reference = [](const std::string& text, int64_t to) {
        for (int64_t k = 0; k < to; ++k) {
            auto b = static_cast<unsigned char>(text[k]);
            auto next = static_cast<unsigned char>(text[k + 1]);
            if (b == '"' || (b == 0xA1 && (next == 0xB0 || next == 0xB1))) return k;
        }
        return to;
    };
    for (unsigned char trail : {0xB0, 0xB1, 0xAF}) {
        for (size_t length = 1; length <= 40; ++length) {
            for (size_t at = 0; at < length; ++at) {
                std::string text(length + search_slack, '\xA1');  // lone lead bytes everywhere
                text[at] = '\xA1';
                text[at + 1] = static_cast<char>(trail);
                auto to = static_cast<int64_t>(length);
                EXPECT_EQ((find_first_of_or_pair<0xA1, 0xB0, 0xB1, '"'>(bytes_of(text), 0, to)), reference(text, to))
                    << "length " << length << ", pair at " << at << ", trail " << int(trail);
            }
        }
    }
}

TEST(ByteSearch, FindsAPairAtEveryPositionAndNotAcrossTheEnd) {
    for (size_t length = 0; length <= 40; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            std::string text(length, ' ');
            for (size_t k = 0; k < length; k += 2) text[k] = '\xC0';  // every other byte a lone first byte
            if (at + 1 < length) text[at + 1] = '\xBE';
            if (at < length) text[at] = '\xC0';
            auto to = static_cast<int64_t>(length);
            EXPECT_EQ(find_pair(bytes_of(text), 0, to, 0xC0, 0xBE), pair_reference(text, 0, to, 0xC0, 0xBE))
                << "length " << length << ", pair at " << at;
            // A first byte at the very end has no second byte before `to`.
            if (length > 0) {
                EXPECT_EQ(find_pair(bytes_of(text), 0, to - 1, 0xC0, 0xBE),
                          pair_reference(text, 0, to - 1, 0xC0, 0xBE));
            }
        }
    }
}

TEST(ByteIndex, FindsEachWordUnderItsByteInListOrder) {
    const Word words[] = {{"ab", 2}, {"cb", 2}, {"ax", 2}, {"", 0}};
    ByteIndex<Word> by_last(words, last_byte_of);
    std::vector<const Word*> under_b(by_last.under('b').begin(), by_last.under('b').end());
    EXPECT_EQ(under_b, (std::vector<const Word*>{&words[0], &words[1], &words[3]}));
    ASSERT_EQ(by_last.under('q').size(), 1u);  // a word without bytes is found everywhere
    EXPECT_EQ(by_last.under('q')[0], &words[3]);
    ByteIndex<Word> by_first(words, first_byte_of);
    EXPECT_EQ(by_first.under('a').size(), 3u);
}

}  // namespace

}  // namespace tessaline
