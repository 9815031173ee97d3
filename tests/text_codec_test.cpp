// The decoder that turns a file's text into CP949 for the engine, and the encoder that turns the
// engine's CP949 into the bytes of a result.

#include <gtest/gtest.h>

#include <string>

#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoder.h"
#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace {

std::span<const unsigned char> bytes_of(const std::string& text) {
    return std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

struct Decoded {
    std::string text;
    DecodingDamage damage;
};

Decoded decode(const std::string& raw, TextEncoding encoding, StandInTable* stand_ins, size_t piece = 0) {
    TextDecoder decoder(encoding, stand_ins, 0);
    Decoded decoded;
    if (piece == 0) piece = raw.size() + 1;
    for (size_t at = 0; at < raw.size(); at += piece) decoder.decode(bytes_of(raw.substr(at, piece)), decoded.text);
    decoder.finish(decoded.text);
    decoded.damage = decoder.damage();
    return decoded;
}

std::string encode(const std::string& cp949_text, TextEncoding target, const StandInTable* stand_ins, size_t piece = 0,
                   UnkeptCharacters* unkept = nullptr) {
    TextEncoder encoder(target, stand_ins);
    std::string out;
    if (piece == 0) piece = cp949_text.size() + 1;
    for (size_t at = 0; at < cp949_text.size(); at += piece)
        encoder.encode(bytes_of(cp949_text.substr(at, piece)), out);
    encoder.finish(out);
    if (unkept != nullptr) *unkept = encoder.unkept();
    return out;
}

TEST(TextDecoder, EachBadByteIsOneReplacementCountedFromTheFirst) {
    struct Case {
        const char* what;
        std::string raw;
        TextEncoding encoding;
        std::string cp949_result;  // for a CP949 result, where what is not text becomes "?"
        uint64_t bad;
        uint64_t first;
    } cases[] = {
        {"UTF-8 cut before ASCII",
         "a\xE2\x80"
         "b",
         TextEncoding::utf8, "a??b", 2, 1},
        {"UTF-8 overlong slash", "\xC0\xAF", TextEncoding::utf8, "??", 2, 0},
        {"UTF-8 surrogate", "가\xED\xA0\x80", TextEncoding::utf8, cp949("가") + "???", 3, 3},
        {"UTF-8 past U+10FFFF",
         "\xF4\x90\x80\x80"
         "a",
         TextEncoding::utf8, "????a", 4, 0},
        {"UTF-8 cut at the end", "ab\xF0\x9F\x98", TextEncoding::utf8, "ab???", 3, 2},
        {"UTF-8 lone continuation", "\x80가", TextEncoding::utf8, "?" + cp949("가"), 1, 0},
        {"UTF-16LE lone low surrogate", std::string("a\0\x00\xDC", 4), TextEncoding::utf16le, "a?", 1, 2},
        {"UTF-16LE high surrogate then ASCII",
         std::string("\x3D\xD8"
                     "b\0",
                     4),
         TextEncoding::utf16le, "?b", 1, 0},
        {"UTF-16LE high surrogate at the end", std::string("b\0\x3D\xD8", 4), TextEncoding::utf16le, "b?", 1, 2},
        {"UTF-16BE lone last byte", std::string("\0b\x41", 3), TextEncoding::utf16be, "b?", 1, 2},
        {"UTF-16LE lone last byte is completed", std::string("b\0\x41", 3), TextEncoding::utf16le, "bA", 0, 0},
        {"CP949 lead byte before a line end", cp949("가") + "\xB0\r\n", TextEncoding::cp949, cp949("가") + "?\r\n", 1,
         2},
        {"CP949 lead byte before a space", "\xC7 ", TextEncoding::cp949, "? ", 1, 0},
        {"CP949 high-row lead with a low trail", "\xC8\x41", TextEncoding::cp949, "?A", 1, 0},
        {"CP949 bytes that lead nothing",
         "\x80\xFF"
         "a",
         TextEncoding::cp949, "??a", 2, 0},
        {"CP949 extended Hangul kept", "\x81\x41\xC6\x52", TextEncoding::cp949, "\x81\x41\xC6\x52", 0, 0},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t{0}, size_t{1}, size_t{2}, size_t{3}}) {
            Decoded decoded = decode(c.raw, c.encoding, nullptr, piece);
            EXPECT_EQ(decoded.text, c.cp949_result) << c.what << ", pieces of " << piece;
            EXPECT_EQ(decoded.damage.count, c.bad) << c.what;
            EXPECT_EQ(decoded.damage.first_offset, c.first) << c.what;
        }
    }
}

TEST(TextDecoder, ForAUtf8ResultBadBytesBecomeTheReplacementCharacter) {
    StandInTable stand_ins;
    Decoded decoded = decode("가\xFF나", TextEncoding::utf8, &stand_ins);
    EXPECT_EQ(decoded.damage.count, 1u);
    EXPECT_EQ(encode(decoded.text, TextEncoding::utf8, &stand_ins), "가\uFFFD나");
    // A CP949 pair of the right shape that is no character becomes one "?".
    StandInTable none;
    Decoded unmapped = decode(cp949("가") + "\xA2\xE8" + cp949("나"), TextEncoding::cp949, &none);
    EXPECT_EQ(utf8(unmapped.text), "가?나");
    EXPECT_EQ(unmapped.damage.count, 2u);
    EXPECT_EQ(decode("\xA2\xE8", TextEncoding::cp949, nullptr).text, "\xA2\xE8") << "kept for a CP949 result";
}

TEST(TextDecoder, DropsNulCharactersInEveryEncoding) {
    EXPECT_EQ(decode(std::string("a\0b", 3), TextEncoding::cp949, nullptr).text, "ab");
    EXPECT_EQ(decode(std::string("a\0b", 3), TextEncoding::utf8, nullptr).text, "ab");
    EXPECT_EQ(decode(utf16le(std::string("a\0b", 3)), TextEncoding::utf16le, nullptr).text, "ab");
    EXPECT_EQ(decode(utf16be(std::string("a\0b", 3)), TextEncoding::utf16be, nullptr).text, "ab");
}

TEST(StandInTable, OneCodeEachUntilTheyRunOutThenLongerOnes) {
    StandInTable table;
    std::string first, last_single, first_double, again;
    table.append(U'😀', first);
    for (char32_t c = 0x1F601; c < 0x1F601 + 92; ++c) {
        last_single.clear();
        table.append(c, last_single);
    }
    table.append(U'—', first_double);
    table.append(U'😀', again);
    EXPECT_EQ(first, "\xC9\xA2");
    EXPECT_EQ(last_single, "\xC9\xFE");
    EXPECT_EQ(first_double, "\xFE\xA2\xC9\xA2");
    EXPECT_EQ(again, first);
    EXPECT_EQ(table.size(), 94u);
    EXPECT_EQ(table.character_of({}, 0), U'😀');
    EXPECT_EQ(table.character_of({0}, 0), U'—');
    EXPECT_EQ(table.character_of({0}, 1), 0u) << "given to none";
    EXPECT_EQ(table.character_of({5, 5, 5}, 1), 0u);
}

TEST(TextEncoder, GivesStandInsBackWhereverThePiecesEnd) {
    StandInTable table;
    std::string text = "가😀\r\n나";
    for (char32_t c = 0x20000; c < 0x20000 + 200; ++c) {
        std::string character;
        table.append(c, character);  // fills the one-code stand-ins
    }
    Decoded decoded = decode(utf16be("—" + text + "—" + "𠀀"), TextEncoding::utf16be, &table);
    for (size_t piece : {size_t{0}, size_t{1}, size_t{3}})
        EXPECT_EQ(encode(decoded.text, TextEncoding::utf8, &table, piece), "—" + text + "—𠀀") << piece;
}

TEST(TextEncoder, WritesStandInsAsQuestionMarksInCp949AndCountsThem) {
    StandInTable table;
    Decoded decoded = decode("—가😀—", TextEncoding::utf8, &table);
    UnkeptCharacters unkept;
    EXPECT_EQ(encode(decoded.text, TextEncoding::cp949, &table, 1, &unkept), "?" + cp949("가") + "??");
    EXPECT_EQ(unkept, (UnkeptCharacters{{U'—', 2}, {U'😀', 1}}));
}

TEST(TextEncoder, BytesThatAreNoCharacterNeverSwallowWhatFollows) {
    StandInTable empty;
    EXPECT_EQ(encode("\xB0\r\na", TextEncoding::utf8, &empty), "\uFFFD\r\na");
    EXPECT_EQ(encode("\xB0\r\na", TextEncoding::cp949, &empty), "\xB0\r\na");
    EXPECT_EQ(encode("a\xB0", TextEncoding::utf8, &empty), "a\uFFFD");
    EXPECT_EQ(encode("\xA2\xE8", TextEncoding::utf8, &empty), "\uFFFD") << "a pair of the right shape, no character";
    // Without stand-ins, codes of the user rows are CP949's own private-use characters.
    EXPECT_EQ(encode("\xFE\xA2\xC9\xA2"
                     "a\xFE\xA3",
                     TextEncoding::utf8, nullptr),
              "\uE05F\uE001a\uE060");
}

// Runs of plain characters are written in one go; byte by byte, every character takes the path of
// its own, so both must agree on texts of every kind of byte and pair.
TEST(TextEncoder, WritesWholeTextsAsItWritesThemByteByByte) {
    std::string every_pair;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            every_pair += static_cast<char>(lead);
            every_pair += static_cast<char>(trail);
            every_pair += trail % 7 == 0 ? "\r\n" : " ";
        }
    }
    StandInTable table;
    Decoded decoded = decode("—가😀 café\r\n𠀀", TextEncoding::utf8, &table);
    for (const std::string& text : {every_pair, decoded.text + every_pair + decoded.text}) {
        const StandInTable* none = nullptr;
        for (const StandInTable* stand_ins : {none, static_cast<const StandInTable*>(&table)}) {
            std::string one_by_one = encode(text, TextEncoding::utf8, stand_ins, 1);
            for (size_t piece : {size_t{0}, size_t{2}, size_t{5}, size_t{4096}})
                EXPECT_EQ(encode(text, TextEncoding::utf8, stand_ins, piece), one_by_one) << piece;
        }
    }
}

// Characters of two and of three UTF-8 bytes from every kind of row, beside stand-ins and bytes
// that are no character, come back as they were wherever the pieces cut them.
TEST(TextEncoder, GivesBackEveryKindOfCharacterWhereverThePiecesCutIt) {
    const struct {
        const char* what;
        std::string text;        // UTF-8, decoded to CP949 first
        std::string cp949_tail;  // CP949 bytes put after the decoded text
        std::string utf8;
    } cases[] = {
        {"symbols, letters, Hanja and Hangul", "한자(漢字)와 “따옴표” · … ¿ ½ ＡＢ ㄱㄴ ぁ Ж α\r\n", "",
         "한자(漢字)와 “따옴표” · … ¿ ½ ＡＢ ㄱㄴ ぁ Ж α\r\n"},
        {"a long run of Hangul", "띄어쓰기없이붙여쓴긴한글문장 한 a 띄어쓰기없이붙여쓴긴한글문장", "",
         "띄어쓰기없이붙여쓴긴한글문장 한 a 띄어쓰기없이붙여쓴긴한글문장"},
        {"a stand-in between Hangul", "가😀나—다", "", "가😀나—다"},
        {"a byte that leads nothing", "가나", "\x80" + cp949("가"), "가나\uFFFD가"},
        {"a lead byte before ASCII", "가나", "\xB0 a", "가나\uFFFD a"},
        {"a lead byte at the end", "가나", "\xB0", "가나\uFFFD"},
        {"a code of the user rows given to no stand-in", "가", "\xC9\xFE" + cp949("가"), "가\uE05D가"},
    };
    for (const auto& c : cases) {
        StandInTable table;
        Decoded decoded = decode(c.text, TextEncoding::utf8, &table);
        std::string cp949_text = decoded.text + c.cp949_tail;
        for (size_t piece : {0, 1, 2, 3, 5, 7, 8, 9, 17})
            EXPECT_EQ(encode(cp949_text, TextEncoding::utf8, &table, piece), c.utf8)
                << c.what << ", pieces of " << piece;
    }
}

}  // namespace

}  // namespace tessaline
