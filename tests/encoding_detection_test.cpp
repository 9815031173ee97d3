// How a file's encoding is found, and the names the encodings go by.

#include "pipeline/encoding_detection.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pipeline/text_encoding.h"
#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace {

const std::string novel_text =
    "바다는 아침부터 잿빛이었다. 선착장에 모인 사람들은\r\n배를 기다렸다. “가자.” 그가 말했다.\r\n";

// The decision for `bytes` fed in pieces of `piece` bytes (0: whole), with the file's size told
// first when `sized`.
Detection detect(const std::string& bytes, InputEncoding choice = InputEncoding::automatic, size_t piece = 0,
                 bool sized = false) {
    EncodingSniffer sniffer;
    if (sized) sniffer.expect_size(bytes.size());
    auto data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (piece == 0) piece = bytes.size() + 1;
    for (size_t at = 0; at < bytes.size(); at += piece)
        sniffer.feed(std::span(data + at, std::min(piece, bytes.size() - at)));
    return sniffer.decide(choice);
}

std::string with_bad_bytes(const std::string& text, int every) {
    std::string damaged;
    int characters = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        damaged += text[k];
        bool character_ends = k + 1 == text.size() || (static_cast<unsigned char>(text[k + 1]) & 0xC0) != 0x80;
        if (character_ends && static_cast<unsigned char>(text[k]) >= 0x80 && ++characters % every == 0)
            damaged += '\xFF';
    }
    return damaged;
}

TEST(EncodingDetection, FindsEachEncodingInOrder) {
    std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        size_t mark;
    } cases[] = {
        {"UTF-8 mark", utf8_mark + novel_text, TextEncoding::utf8, 3},
        {"UTF-16LE mark", utf16le_mark + utf16le(novel_text), TextEncoding::utf16le, 2},
        {"UTF-16BE mark", utf16be_mark + utf16be(novel_text), TextEncoding::utf16be, 2},
        {"a mark before text of another encoding", utf8_mark + cp949(novel_text), TextEncoding::utf8, 3},
        {"UTF-16LE by its zero bytes", utf16le(novel_text), TextEncoding::utf16le, 0},
        {"UTF-16BE by its zero bytes", utf16be(novel_text), TextEncoding::utf16be, 0},
        {"UTF-16 of ASCII alone", utf16le("plain text\r\n"), TextEncoding::utf16le, 0},
        {"valid UTF-8", novel_text, TextEncoding::utf8, 0},
        {"UTF-8 with a bad byte in every 20 characters", with_bad_bytes(novel_text, 20), TextEncoding::utf8, 0},
        {"UTF-8 with a bad byte in every 4 characters", with_bad_bytes(novel_text, 4), TextEncoding::cp949, 0},
        {"UTF-8 cut inside its last character", novel_text + "\xED\x95", TextEncoding::utf8, 0},
        {"CP949", cp949(novel_text), TextEncoding::cp949, 0},
        {"CP949 with stray NUL bytes", cp949(novel_text) + std::string(3, '\0') + cp949(novel_text),
         TextEncoding::cp949, 0},
        {"one NUL before ASCII text", std::string("\0text", 5), TextEncoding::cp949, 0},
        {"ASCII", "plain text\r\n", TextEncoding::cp949, 0},
        {"empty", "", TextEncoding::cp949, 0},
        {"half a UTF-8 mark", "\xEF\xBB", TextEncoding::cp949, 0},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t{0}, size_t{1}, size_t{7}}) {
            Detection found = detect(c.bytes, InputEncoding::automatic, piece);
            EXPECT_EQ(found.encoding, c.encoding) << c.what << ", pieces of " << piece;
            EXPECT_EQ(detect(c.bytes, InputEncoding::automatic, piece, true).encoding, c.encoding)
                << c.what << ", its size known, pieces of " << piece;
            EXPECT_EQ(found.mark_length, c.mark) << c.what;
            EXPECT_EQ(found.not_text, "") << c.what;
        }
    }
    EXPECT_EQ(detect(png).not_text, "it begins like a PNG image");
}

TEST(EncodingDetection, Utf8IsRuledOutEarlyOnlyWhenTheRestCouldNotChangeIt) {
    std::string novel;
    for (int k = 0; k < 40; ++k) novel += novel_text;
    // Bad bytes first, then enough good characters to outweigh them.
    std::string late = std::string(20, '\xFF') + novel;
    EXPECT_EQ(detect(late, InputEncoding::automatic, 64, true).encoding, TextEncoding::utf8);
    EXPECT_EQ(detect(cp949(novel) + novel, InputEncoding::automatic, 64, true).encoding, TextEncoding::cp949);
}

TEST(EncodingDetection, RefusesWhatIsPlainlyNotTextAndNothingElse) {
    std::string noise;
    for (int k = 0; k < 8192; ++k) noise += static_cast<char>((k * 2654435761u) >> 13);
    std::string strays = cp949(novel_text);
    for (int k = 0; k < 15; ++k) strays += '\x01' + cp949(novel_text);
    struct Case {
        const char* what;
        std::string bytes;
        bool text;
    } cases[] = {
        {"ZIP archive", std::string("PK\x03\x04\x14\x00", 6) + novel_text, false},
        {"gzip archive", std::string("\x1F\x8B\x08\x00", 4) + novel_text, false},
        {"JPEG image", "\xFF\xD8\xFF\xE0" + novel_text, false},
        {"program",
         "\x7F"
         "ELF" +
             novel_text,
         false},
        {"old Office or Hangul document", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + novel_text, false},
        {"random bytes", noise, false},
        {"fifteen stray control bytes in a novel", strays, true},
        {"a few stray bytes in a short text", std::string("\x01\x02\x03", 3) + "abc", true},
        {"a novel that mentions PK", "PK " + novel_text, true},
        {"a novel padded with NUL bytes", cp949(novel_text) + std::string(4096, '\0'), true},
        {"tar archive", std::string(257, '\0') + "ustar" + std::string(250, '\0') + novel_text, false},
        {"a novel on the MZ generation", "MZ세대의 " + novel_text, true},
    };
    for (const auto& c : cases) {
        Detection found = detect(c.bytes);
        EXPECT_EQ(found.not_text.empty(), c.text) << c.what << ": " << found.not_text;
    }
}

TEST(EncodingDetection, ForcedEncodingsSkipOnlyTheirOwnMark) {
    struct Case {
        const char* what;
        std::string bytes;
        InputEncoding choice;
        TextEncoding encoding;
        size_t mark;
    } cases[] = {
        {"UTF-8 forced on CP949", cp949(novel_text), InputEncoding::utf8, TextEncoding::utf8, 0},
        {"UTF-8 forced skips its mark", utf8_mark + novel_text, InputEncoding::utf8, TextEncoding::utf8, 3},
        {"UTF-16LE forced keeps a UTF-16BE mark", utf16be_mark + "a", InputEncoding::utf16le, TextEncoding::utf16le, 0},
        {"UTF-16BE forced", utf16le(novel_text), InputEncoding::utf16be, TextEncoding::utf16be, 0},
        {"CP949 forced on UTF-8", novel_text, InputEncoding::cp949, TextEncoding::cp949, 0},
        {"CP949 forced follows a mark", utf16be_mark + utf16be(novel_text), InputEncoding::cp949, TextEncoding::utf16be,
         2},
        {"UTF-16 takes the order from the text", utf16be(novel_text), InputEncoding::utf16, TextEncoding::utf16be, 0},
        {"UTF-16 takes the order from the mark", utf16le_mark + utf16be(novel_text), InputEncoding::utf16,
         TextEncoding::utf16le, 2},
        {"a forced encoding is never refused",
         "\x7F"
         "ELF",
         InputEncoding::cp949, TextEncoding::cp949, 0},
    };
    for (const auto& c : cases) {
        Detection found = detect(c.bytes, c.choice);
        EXPECT_EQ(found.encoding, c.encoding) << c.what;
        EXPECT_EQ(found.mark_length, c.mark) << c.what;
        EXPECT_EQ(found.not_text, "") << c.what;
    }
}

TEST(EncodingDetection, OnlyAutomaticChoicesWithoutAMarkNeedTheWholeFile) {
    EncodingSniffer marked;
    std::string head = utf8_mark + "abc";
    marked.feed(std::span(reinterpret_cast<const unsigned char*>(head.data()), head.size()));
    EXPECT_TRUE(marked.decided_early(InputEncoding::automatic));
    EncodingSniffer plain;
    plain.feed(std::span(reinterpret_cast<const unsigned char*>(novel_text.data()), novel_text.size()));
    EXPECT_FALSE(plain.decided_early(InputEncoding::automatic));
    EXPECT_FALSE(plain.decided_early(InputEncoding::utf16));
    EXPECT_TRUE(plain.decided_early(InputEncoding::utf8));
    EXPECT_TRUE(plain.decided_early(InputEncoding::cp949));
}

TEST(EncodingNames, AreTheNamesPeopleUseInAnyCase) {
    struct Case {
        const char* name;
        InputEncoding encoding;
    } cases[] = {
        {"auto", InputEncoding::automatic},
        {"cp949", InputEncoding::cp949},
        {"UHC", InputEncoding::cp949},
        {"MS949", InputEncoding::cp949},
        {"EUC-KR", InputEncoding::cp949},
        {"euc-kr", InputEncoding::cp949},
        {"KS_C_5601-1987", InputEncoding::cp949},
        {"UTF-8", InputEncoding::utf8},
        {"utf8", InputEncoding::utf8},
        {"Utf-16LE", InputEncoding::utf16le},
        {"UTF-16BE", InputEncoding::utf16be},
        {"utf-16", InputEncoding::utf16},
    };
    for (const auto& c : cases) {
        InputEncoding found = InputEncoding::automatic;
        EXPECT_TRUE(input_encoding_named(c.name, found)) << c.name;
        EXPECT_EQ(found, c.encoding) << c.name;
    }
    InputEncoding unchanged = InputEncoding::utf16be;
    for (const char* unknown : {"latin1", "euckr", "utf-32", "", "cp9490", "cp94"}) {
        EXPECT_FALSE(input_encoding_named(unknown, unchanged)) << unknown;
        EXPECT_EQ(unchanged, InputEncoding::utf16be) << unknown;
    }
}

TEST(EncodingNames, SameWritesCp949InputAsCp949AndAllElseAsUtf8) {
    OutputEncoding same = OutputEncoding::cp949;
    ASSERT_TRUE(output_encoding_named("SAME", same));
    EXPECT_EQ(same, OutputEncoding::same);
    EXPECT_FALSE(output_encoding_named("euc-kr", same));
    EXPECT_EQ(output_encoding_for(OutputEncoding::same, TextEncoding::cp949), TextEncoding::cp949);
    EXPECT_EQ(output_encoding_for(OutputEncoding::same, TextEncoding::utf8), TextEncoding::utf8);
    EXPECT_EQ(output_encoding_for(OutputEncoding::same, TextEncoding::utf16le), TextEncoding::utf8);
    EXPECT_EQ(output_encoding_for(OutputEncoding::same, TextEncoding::utf16be), TextEncoding::utf8);
    EXPECT_EQ(output_encoding_for(OutputEncoding::cp949, TextEncoding::utf8), TextEncoding::cp949);
    EXPECT_EQ(output_encoding_for(OutputEncoding::utf8, TextEncoding::cp949), TextEncoding::utf8);
}

// Whole texts are counted sixteen bytes at a time, pieces of one byte byte by byte: both must
// find the same share of control codes.
TEST(EncodingDetection, ControlCodesCountTheSameInBlocksAndByteByByte) {
    const unsigned char alphabet[] = {0x00, 0x01, 0x08, 0x09, 0x0D, 0x0E, 0x1A, 0x1B, 0x1C,
                                      0x1F, 0x20, 0x7E, 0x7F, 0x80, 0xB0, 0xFF, 'a',  '\n'};
    std::mt19937 random(13);
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        // Short enough that one byte counted more or less changes the share told in whole percent.
        size_t length = 32 + random() % 17;
        for (size_t k = 0; k < length; ++k) bytes += static_cast<char>(alphabet[random() % sizeof alphabet]);
        EXPECT_EQ(detect(bytes).not_text, detect(bytes, InputEncoding::automatic, 1).not_text) << round;
    }
}

// Control codes are tallied sixteen bytes at a time in byte-wide counters: a long file with one in
// every sixteen bytes, all at the same place of their sixteen, has exactly the share a text may
// have, and one more makes it not text.
TEST(EncodingDetection, ControlCodesOfLongFilesCountExactly) {
    std::string at_share;
    for (int k = 0; k < 1000; ++k) at_share += "\x01" + std::string(15, 'a');
    std::string over_share = at_share;
    over_share[8] = '\x01';
    for (size_t piece : {size_t{0}, size_t{1000}, size_t{4096}}) {
        EXPECT_EQ(detect(at_share, InputEncoding::automatic, piece).not_text, "") << piece;
        EXPECT_EQ(detect(over_share, InputEncoding::automatic, piece).not_text,
                  "6% of its bytes are control codes that text does not hold")
            << piece;
    }
}

// Zero bytes are found while control codes are counted, in whole blocks of sixteen and in the
// bytes after the last block of a piece alike.
TEST(EncodingDetection, ZeroBytesOfUtf16AreFoundInBlocksAndAfterThem) {
    for (size_t hangul_characters : {14, 16, 18, 30}) {
        std::string bytes;
        for (size_t k = 0; k < hangul_characters; ++k) bytes += cp949("가");
        bytes += std::string("a\0b\0", 4);
        for (size_t piece : {size_t{0}, size_t{5}, size_t{16}, size_t{17}})
            EXPECT_EQ(detect(bytes, InputEncoding::automatic, piece).encoding, TextEncoding::utf16le)
                << hangul_characters << " characters, pieces of " << piece;
    }
}

}  // namespace

}  // namespace tessaline
