// The decoder reads only the bytes of the piece it is given, whatever lies in memory after them.

#include "pipeline/text_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "pipeline/cp949_blocks.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace {

// A piece of ASCII ending on an eight-byte boundary, with a lead byte in the memory right after
// it, as when the last piece of a file is read into a larger buffer.
TEST(TextDecoder, APieceOfAsciiEndingOnAWordBoundaryIsAllItReads) {
    for (size_t length : {8u, 16u, 464u}) {
        std::vector<unsigned char> buffer(length + 8, 0xB0);
        for (size_t k = 0; k < length; ++k) buffer[k] = 'a';
        TextDecoder decoder(TextEncoding::cp949, nullptr, 0);
        std::string cp949;
        decoder.decode(std::span<const unsigned char>(buffer.data(), length), cp949);
        decoder.finish(cp949);
        EXPECT_EQ(cp949, std::string(length, 'a')) << length;
        EXPECT_EQ(decoder.damage().count, 0u) << length;
    }
}

// The bit after each run of set bits of odd length, found bit by bit.
uint64_t odd_run_ends_bit_by_bit(uint32_t bits) {
    uint64_t ends = 0;
    int run = 0;
    for (int bit = 0; bit <= 32; ++bit) {
        if (bit < 32 && (bits >> bit & 1) != 0) {
            ++run;
            continue;
        }
        if (run % 2 == 1) ends |= uint64_t{1} << bit;
        run = 0;
    }
    return ends;
}

// Every block's bits whose upper half is empty, then blocks of random bits.
template <class Check>
void for_block_bits(Check check) {
    for (uint32_t bits = 0; bits < 0x10000; ++bits) check(bits);
    std::mt19937 random(7);
    for (int round = 0; round < 200000; ++round) check(static_cast<uint32_t>(random()));
}

TEST(TextDecoder, OddRunsOfLeadBytesAreFoundInEveryBlock) {
    for_block_bits([](uint32_t bits) { ASSERT_EQ(ends_of_odd_runs(bits), odd_run_ends_bit_by_bit(bits)) << bits; });
}

// The bits at an even distance from the first bit of their run, found bit by bit.
uint32_t lead_bits_bit_by_bit(uint32_t bits) {
    uint32_t leads = 0;
    int run = 0;
    for (int bit = 0; bit < 32; ++bit) {
        run = (bits >> bit & 1) != 0 ? run + 1 : 0;
        if (run % 2 == 1) leads |= uint32_t{1} << bit;
    }
    return leads;
}

TEST(TextDecoder, LeadBytesAreFoundInEveryBlock) {
    for_block_bits([](uint32_t bits) { ASSERT_EQ(lead_bits_of_runs(bits), lead_bits_bit_by_bit(bits)) << bits; });
}

// The CP949 and the damage of `bytes` decoded in pieces of `piece` bytes, for a CP949 result or,
// with stand-ins, for a UTF-8 one.
std::pair<std::string, uint64_t> decoded(const std::string& bytes, size_t piece, bool utf8_result = false) {
    StandInTable stand_ins;
    TextDecoder decoder(TextEncoding::cp949, utf8_result ? &stand_ins : nullptr, 0);
    std::string cp949;
    auto data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t at = 0; at < bytes.size(); at += piece)
        decoder.decode(std::span(data + at, std::min(piece, bytes.size() - at)), cp949);
    decoder.finish(cp949);
    return {cp949, decoder.damage().count};
}

// Pieces of one byte are checked byte by byte; whole texts mostly sixteen bytes at a time.
TEST(TextDecoder, BlocksAreReadAsTheirBytesOneByOne) {
    const std::string novel =
        cp949("“가자.” 그가 말했다. 바다는 아침부터 잿빛이었다. 선착장에 모인 사람들은 배를 기다렸다.\r\n");
    EXPECT_EQ(decoded(novel, novel.size()), decoded(novel, 1));
    EXPECT_EQ(decoded(novel, novel.size()).first, novel);
    // Hangul, symbols (rows 0xA2 and 0xA5 have codes that are no character), extended Hangul, the
    // user rows, trail bytes of every kind, NUL, lone and cut lead bytes.
    const unsigned char alphabet[] = {0xB0, 0xA1, 0xC8, 0xFE, 0xA2, 0xA5, 0xC9, 0x81, 0xC6, 0xC7, 0x41,
                                      0x5A, 0x61, 0x7B, 0xA0, 0xFF, 0x80, 0x00, ' ',  '\r', '\n', 'a'};
    std::mt19937 random(13);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        size_t length = random() % 80;
        // Mostly the bytes of Korean text, so that many blocks are clean and the rest are not.
        for (size_t k = 0; k < length; ++k)
            bytes +=
                static_cast<char>(random() % 4 != 0 ? alphabet[random() % 4] : alphabet[random() % sizeof alphabet]);
        bool utf8_result = round % 2 == 1;
        ASSERT_EQ(decoded(bytes, bytes.size() + 1, utf8_result), decoded(bytes, 1, utf8_result)) << round;
    }
}

// For a UTF-8 result a code of the right shape that is no character is damage, found in the middle
// of a block of Hangul as anywhere else.
TEST(TextDecoder, CodesThatAreNoCharacterAreFoundInsideBlocks) {
    const std::string hangul = cp949("가나다라마바사아");
    const std::string no_character = "\xA2\xFE";  // a code of the symbol row that CP949 leaves empty
    const std::string bytes = hangul + no_character + hangul;
    auto [text, damage] = decoded(bytes, bytes.size(), true);
    EXPECT_EQ(text, hangul + "?" + hangul);
    EXPECT_EQ(damage, 2u);
    EXPECT_EQ(decoded(bytes, bytes.size()).first, bytes);
}

// Blocks of Hangul pass at once by their lead bytes; a code of a row that is not full, at any
// place in a block, is still looked up on its own: kept when it is a character, damage when not.
TEST(TextDecoder, CodesOfRowsThatAreNotFullAreLookedUpAtAnyPlaceInABlock) {
    const struct {
        const char* what;
        std::string code;
        std::string kept;  // for a UTF-8 result
        uint64_t damage;
    } cases[] = {
        {"a symbol of a full row", "\xA1\xA4", "\xA1\xA4", 0},
        {"a letter of a row that is not full", "\xAC\xA8", "\xAC\xA8", 0},
        {"an empty code of the symbol row", "\xA2\xE8", "?", 2},
        {"a code of the empty row just below Hangul", "\xAF\xA1", "?", 2},
    };
    const std::string hangul = cp949("가나다라마바사아자차카타파하거너더러머버");
    for (const auto& c : cases) {
        for (size_t at = 0; at <= cp949_block; at += 2) {
            std::string bytes = hangul.substr(0, at) + c.code + hangul;
            auto [text, damage] = decoded(bytes, bytes.size(), true);
            EXPECT_EQ(text, hangul.substr(0, at) + c.kept + hangul) << c.what << " at " << at;
            EXPECT_EQ(damage, c.damage) << c.what << " at " << at;
        }
    }
}

// Handed out where they lie or decoded, the pieces of a CP949 text must make what decoding it
// whole makes, with the same damage, wherever the text is cut.
TEST(TextDecoder, PiecesHandedOutWhereTheyLieMakeTheWholeTextsDecoding) {
    std::string novel;
    for (int k = 0; k < 300; ++k) novel += cp949("한자(漢字)와 “따옴표”를 품은 줄이다. abc\r\n");
    const std::string texts[] = {novel, novel + "\xB0", "\xFF" + novel + std::string(3, '\0') + novel,
                                 novel + "\xC9\xA1" + novel + "\xB0\x20"};
    std::mt19937 random(5);
    for (const std::string& text : texts) {
        for (bool to_utf8 : {false, true}) {
            StandInTable whole_table;
            StandInTable pieces_table;
            TextDecoder whole(TextEncoding::cp949, to_utf8 ? &whole_table : nullptr, 0);
            std::string expected;
            whole.decode(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()), expected);
            whole.finish(expected);
            TextDecoder pieces(TextEncoding::cp949, to_utf8 ? &pieces_table : nullptr, 0);
            std::string got;
            std::string scratch;
            for (size_t at = 0; at < text.size();) {
                size_t size = std::min<size_t>(1 + random() % 700, text.size() - at);
                auto piece = std::span(reinterpret_cast<const unsigned char*>(text.data()) + at, size);
                pieces.decode_to(piece, scratch, [&](std::span<const unsigned char> cp949) {
                    got.append(reinterpret_cast<const char*>(cp949.data()), cp949.size());
                });
                at += size;
            }
            pieces.finish(got);
            EXPECT_EQ(utf8(got), utf8(expected));
            EXPECT_EQ(pieces.damage().count, whole.damage().count);
            EXPECT_EQ(pieces.damage().first_offset, whole.damage().first_offset);
        }
    }
}

}  // namespace

}  // namespace tessaline
