// Characters CP949 lacks travel through the reader and the encoder and come back byte for byte,
// whatever encoding they came in.

#include "pipeline/source_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pipeline/text_encoder.h"
#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

// Characters across the planes, each in a Korean sentence.
const char* const test_characters[] = {
    "—",                   // em dash, which CP949 lacks
    "–",                   // en dash
    "―",                   // the horizontal bar CP949 has
    "•",                   // bullet
    "·",                   // middle dot, in CP949
    "※",                   // reference mark, in CP949
    "✓",                   // check mark
    "é",                   // precomposed Latin letter
    "e\u0301",             // Latin letter with a combining accent
    "Ångström",            // Latin letters CP949 partly has
    "😀",                   // emoji outside the first plane
    "❤️",              // emoji with a variation selector
    "👍🏽",            // emoji with a skin tone
    "👨‍👩‍👧",  // emoji joined by zero-width joiners
    "🇰🇷",                  // flag of two regional indicators
    "𠀀",                  // CJK extension B
    "𝄞",                   // musical symbol
    "ᄀᆞ",                // old Hangul jamo
    "ᅀᅌ",                // more old Hangul jamo
    "们",                  // simplified Chinese, not in CP949
    "\uE000\uE05E",        // private-use characters, CP949's user-defined codes
    "\u00A0",              // no-break space
    "\uFFFD",              // the replacement character itself
    "漢字",                // Hanja CP949 has
};

std::string sentence_with(const std::string& character) {
    return "그는 " + character + " 하고 말했다.\r\n" + character + "로 시작하는 줄" + character + "\r\n";
}

struct Encoded {
    const char* name;
    std::string (*encode)(const std::string& utf8_text);
};

const Encoded encodings[] = {
    {"UTF-8", [](const std::string& t) { return t; }},
    {"UTF-8 with its mark", [](const std::string& t) { return utf8_mark + t; }},
    {"UTF-16LE", [](const std::string& t) { return utf16le(t); }},
    {"UTF-16LE with its mark", [](const std::string& t) { return utf16le_mark + utf16le(t); }},
    {"UTF-16BE", [](const std::string& t) { return utf16be(t); }},
    {"UTF-16BE with its mark", [](const std::string& t) { return utf16be_mark + utf16be(t); }},
};

class SourceReaderTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        char name[] = "/tmp/tessaline-reader-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string file_with(const std::string& bytes) {
        std::string path = (folder / "novel.txt").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    // Everything one read hands out, and whether each piece ended at a character's end.
    static std::string read_all(SourceReader& reader, bool& whole_characters) {
        std::string text;
        whole_characters = true;
        EXPECT_TRUE(reader.read([&](std::span<const unsigned char> piece) {
            text.append(reinterpret_cast<const char*>(piece.data()), piece.size());
            size_t k = 0;
            while (k < piece.size()) k += piece[k] >= 0x80 ? 2 : 1;
            if (k != piece.size()) whole_characters = false;
        })) << reader.failure();
        return text;
    }

    // The file read as the reader finds it, written back in UTF-8 by the encoder.
    std::string round_trip(const std::string& bytes, InputEncoding input = InputEncoding::automatic) {
        SourceReader reader(input, OutputEncoding::utf8);
        EXPECT_TRUE(reader.open(file_with(bytes))) << reader.failure();
        bool whole = false;
        std::string cp949_text = read_all(reader, whole);
        EXPECT_TRUE(whole);
        std::string out;
        TextEncoder encoder(TextEncoding::utf8, &reader.stand_ins());
        encoder.encode(std::span(reinterpret_cast<const unsigned char*>(cp949_text.data()), cp949_text.size()), out);
        encoder.finish(out);
        EXPECT_EQ(reader.damage().count, 0u);
        return out;
    }
};

TEST_F(SourceReaderTest, EveryCharacterComesBackByteForByteFromEveryEncoding) {
    for (const char* character : test_characters) {
        std::string text = sentence_with(character);
        for (const Encoded& encoding : encodings)
            EXPECT_EQ(round_trip(encoding.encode(text)), text) << character << " in " << encoding.name;
        if (cp949_holds(text)) {
            EXPECT_EQ(round_trip(cp949(text)), text) << character << " in CP949";
        }
    }
}

TEST_F(SourceReaderTest, CharactersCp949LacksReachTheEngineAsTwoByteStandIns) {
    SourceReader reader(InputEncoding::automatic, OutputEncoding::same);
    ASSERT_TRUE(reader.open(file_with("가😀나—다😀")));
    EXPECT_EQ(reader.result_encoding(), TextEncoding::utf8);
    bool whole = false;
    std::string text = read_all(reader, whole);
    ASSERT_EQ(text.size(), 12u);
    EXPECT_EQ(text.substr(2, 2), text.substr(10, 2));
    EXPECT_NE(text.substr(2, 2), text.substr(6, 2));
    for (size_t at : {2, 6}) {
        EXPECT_TRUE(text[at] == '\xC9' || text[at] == '\xFE') << "a code of CP949's user rows";
        EXPECT_GE(static_cast<unsigned char>(text[at + 1]), 0xA2);
    }
    EXPECT_EQ(reader.stand_ins().size(), 2u);
}

TEST_F(SourceReaderTest, CodesOfCp949sUserRowsInCp949InputAreItsPrivateUseCharacters) {
    std::string file = cp949("가") + "\xC9\xA1" + cp949("나") + "\xFE\xFE";
    EXPECT_EQ(round_trip(file, InputEncoding::cp949), "가\uE000나\uE0BB");
}

TEST_F(SourceReaderTest, MoreDistinctCharactersThanOneCodeStandInsStillArriveIntact) {
    std::string text;
    // Ten thousand characters of CJK extension B, past the one- and two-code stand-ins.
    for (char32_t c = 0x20000; c < 0x20000 + 10000; ++c) {
        text += static_cast<char>(0xF0 | c >> 18);
        text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
        if (c % 40 == 0) text += "\r\n";
    }
    EXPECT_TRUE(round_trip(text) == text);
    EXPECT_TRUE(round_trip(utf16be_mark + utf16be(text)) == text);
}

TEST_F(SourceReaderTest, PiecesEndAtCharactersWhereverTheRawPiecesEnd) {
    std::string line;
    for (int k = 0; k < 3000; ++k) line += k % 7 == 0 ? "😀" : k % 5 == 0 ? "a" : "한";
    for (const std::string& bytes : {line, utf16le(line), cp949_holds(line) ? cp949(line) : utf16be(line)}) {
        SourceReader reader(InputEncoding::automatic, OutputEncoding::utf8);
        ASSERT_TRUE(reader.open(file_with(bytes)));
        bool whole = false;
        read_all(reader, whole);
        EXPECT_TRUE(whole);
    }
}

TEST_F(SourceReaderTest, ATextCanBeReadAgainWithTheSameStandIns) {
    std::string text;
    for (int k = 0; k < 20000; ++k) text += k % 3 == 0 ? "— 𠀀 " : "소설 ";
    SourceReader reader(InputEncoding::automatic, OutputEncoding::utf8);
    ASSERT_TRUE(reader.open(file_with(text)));
    bool whole = false;
    std::string first = read_all(reader, whole);
    std::string second = read_all(reader, whole);
    EXPECT_EQ(first, second);
    EXPECT_EQ(reader.stand_ins().size(), 2u);
    EXPECT_EQ(reader.size(), text.size());
}

TEST_F(SourceReaderTest, StandardInputIsKeptSoItCanBeReadTwice) {
    std::string text = "표준 입력의 — 소설\r\n";
    std::string path = file_with(utf16le_mark + utf16le(text));
    int saved = dup(STDIN_FILENO);
    int input = open(path.c_str(), O_RDONLY);
    dup2(input, STDIN_FILENO);
    close(input);
    SourceReader reader(InputEncoding::automatic, OutputEncoding::utf8);
    bool opened = reader.open(stdin_path);
    dup2(saved, STDIN_FILENO);
    close(saved);
    ASSERT_TRUE(opened) << reader.failure();
    EXPECT_EQ(reader.encoding(), TextEncoding::utf16le);
    bool whole = false;
    std::string first = read_all(reader, whole);
    EXPECT_EQ(read_all(reader, whole), first);
    std::string out;
    TextEncoder encoder(TextEncoding::utf8, &reader.stand_ins());
    encoder.encode(std::span(reinterpret_cast<const unsigned char*>(first.data()), first.size()), out);
    encoder.finish(out);
    EXPECT_EQ(out, text);
}

// A text that must be decoded is kept as it was handed out and read from there again: the same
// pieces, the same damage and characters lost, even once the file itself has changed. A CP949
// text is read from its file each time.
TEST_F(SourceReaderTest, ATextKeptForReadingAgainComesBackInTheSamePieces) {
    std::string text;
    for (int k = 0; k < 20000; ++k) text += k % 3 == 0 ? "— 소설 𠀀\r\n" : "바다는 잿빛이었다. ";
    struct Case {
        const char* name;
        std::string bytes;
        OutputEncoding output;
        bool kept;
    };
    const Case cases[] = {
        {"UTF-8 with a bad byte, UTF-8 result", text + "\xFF" + text, OutputEncoding::utf8, true},
        {"UTF-8, CP949 result", text, OutputEncoding::cp949, true},
        {"UTF-16LE", utf16le_mark + utf16le(text), OutputEncoding::same, true},
        {"CP949", cp949("바다는 잿빛이었다.\r\n가나다\r\n"), OutputEncoding::same, false},
    };
    for (const Case& c : cases) {
        SourceReader reader(InputEncoding::automatic, c.output);
        std::string path = file_with(c.bytes);
        ASSERT_TRUE(reader.open(path)) << c.name;
        reader.keep_text();
        auto pieces = [&] {
            std::vector<std::string> all;
            EXPECT_TRUE(reader.read([&](std::span<const unsigned char> piece) {
                all.emplace_back(reinterpret_cast<const char*>(piece.data()), piece.size());
            })) << c.name;
            return all;
        };
        std::vector<std::string> first = pieces();
        uint64_t damage = reader.damage().count;
        size_t unkept = reader.unkept().size();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(c.bytes.size(), 'x');
        for (int again = 0; again < 2; ++again) {
            std::vector<std::string> next = pieces();
            EXPECT_EQ(next == first, c.kept) << c.name;
            EXPECT_EQ(reader.damage().count, damage) << c.name;
            EXPECT_EQ(reader.unkept().size(), unkept) << c.name;
            EXPECT_EQ(reader.bytes_read(), c.bytes.size()) << c.name;
        }
    }
}

TEST_F(SourceReaderTest, OpenFailuresSayWhy) {
    SourceReader missing(InputEncoding::automatic, OutputEncoding::same);
    EXPECT_FALSE(missing.open((folder / "missing.txt").string()));
    EXPECT_TRUE(missing.failure().starts_with("cannot be opened: ")) << missing.failure();
    SourceReader archive(InputEncoding::automatic, OutputEncoding::same);
    EXPECT_FALSE(archive.open(file_with(std::string("PK\x03\x04\x14\x00\x00\x00", 8) + "content.txt")));
    EXPECT_EQ(archive.failure(), "is not text: it begins like a ZIP archive");
    SourceReader forced(InputEncoding::cp949, OutputEncoding::same);
    EXPECT_TRUE(forced.open(file_with(std::string("PK\x03\x04", 4)))) << "a forced encoding is never refused";
}

}  // namespace

}  // namespace tessaline

namespace tessaline {

namespace {

// What a reader hands out on the guess while it opens a file, and whether the guess held.
struct Guessed {
    bool opened;
    bool right;
    uint64_t size_told;
    std::string text;
};

class GuessedReadingTest : public SourceReaderTest {
protected:
    Guessed open_guessing(const std::string& bytes, InputEncoding input = InputEncoding::automatic) {
        Guessed g{false, false, 0, ""};
        SourceReader::Guess guess{[&](uint64_t size) { g.size_told = size; },
                                  [&](std::span<const unsigned char> piece) {
                                      g.text.append(reinterpret_cast<const char*>(piece.data()), piece.size());
                                  }};
        SourceReader reader(input, OutputEncoding::same);
        g.opened = reader.open(file_with(bytes), &guess);
        g.right = reader.guessed_right();
        if (g.right) {
            bool whole = false;
            EXPECT_EQ(read_all(reader, whole), g.text) << "the text handed out on the guess is the text read";
        }
        return g;
    }
};

TEST_F(GuessedReadingTest, ACp949FileIsReadWhileItsEncodingIsFound) {
    std::string text = cp949("그는 천천히 언덕길을\r\n걸어 올라갔다.\r\n");
    std::string long_text;
    while (long_text.size() < 300000) long_text += text;  // several pieces
    for (const std::string& bytes : {text, long_text, text + "\xB0"}) {
        Guessed g = open_guessing(bytes);
        EXPECT_TRUE(g.opened && g.right);
        EXPECT_EQ(g.size_told, bytes.size());
        EXPECT_EQ(g.text.size(), bytes.size()) << "a lone lead byte at the end becomes one \"?\"";
    }
}

TEST_F(GuessedReadingTest, AGuessThatFailedOrWasNotNeededIsSaidSo) {
    const std::string text = "그는 천천히 언덕길을 걸어 올라갔다.\n";
    EXPECT_FALSE(open_guessing(text).right) << "UTF-8";
    EXPECT_FALSE(open_guessing("\xEF\xBB\xBF" + text).right) << "a byte-order mark decides early";
    EXPECT_FALSE(open_guessing(cp949(text), InputEncoding::cp949).right) << "an encoding chosen needs no finding";
    EXPECT_FALSE(open_guessing("").right) << "an empty file";
    Guessed not_text = open_guessing(std::string("PK\x03\x04") + cp949(text));
    EXPECT_FALSE(not_text.opened || not_text.right);
}

}  // namespace

}  // namespace tessaline
