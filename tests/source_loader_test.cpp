#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pipeline/source_loader.h"
#include "platform/platform.h"
#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

class SourceLoaderTest : public ::testing::Test {
protected:
    fs::path folder;
    LoadedText loaded;

    void SetUp() override {
        char name[] = "/tmp/tessaline-loader-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string file_with(const std::string& bytes, const std::string& name = "novel.txt") {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Loads the bytes from a file as the window does (CP949 result).
    std::string load(const std::string& bytes, InputEncoding input = InputEncoding::automatic,
                     OutputEncoding output = OutputEncoding::cp949) {
        EXPECT_TRUE(load_text(file_with(bytes), input, output, loaded)) << loaded.failure;
        EXPECT_GE(loaded.size, bytes.size());
        return loaded.text;
    }
};

TEST_F(SourceLoaderTest, DecodesEachEncodingToCp949) {
    const std::string korean = "한자(漢字)를 읽는 밤\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        InputEncoding input;
    } cases[] = {
        {"CP949 taken byte for byte", cp949(korean), InputEncoding::automatic},
        {"UTF-8 with its mark", utf8_mark + korean, InputEncoding::automatic},
        {"UTF-16LE with its mark", utf16le_mark + utf16le(korean), InputEncoding::automatic},
        {"UTF-16BE with its mark", utf16be_mark + utf16be(korean), InputEncoding::automatic},
        {"UTF-8 without a mark", korean, InputEncoding::automatic},
        {"UTF-16LE without a mark", utf16le(korean), InputEncoding::automatic},
        {"UTF-16BE without a mark", utf16be(korean), InputEncoding::automatic},
        {"cp949 setting still honours a mark", utf8_mark + korean, InputEncoding::cp949},
        {"cp949 setting honours a UTF-16BE mark", utf16be_mark + utf16be(korean), InputEncoding::cp949},
        {"forced UTF-8 without a mark", korean, InputEncoding::utf8},
        {"forced UTF-8 skips a mark", utf8_mark + korean, InputEncoding::utf8},
        {"forced UTF-16LE without a mark", utf16le(korean), InputEncoding::utf16le},
        {"forced UTF-16LE skips a mark", utf16le_mark + utf16le(korean), InputEncoding::utf16le},
        {"forced UTF-16BE skips a mark", utf16be_mark + utf16be(korean), InputEncoding::utf16be},
        {"UTF-16 takes its order from the text", utf16be(korean), InputEncoding::utf16},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8(load(c.bytes, c.input)), korean) << c.what;
        EXPECT_EQ(loaded.warning, "") << c.what;
    }
}

TEST_F(SourceLoaderTest, ForcedEncodingsAreNotGuessed) {
    const std::string korean = "한글";
    EXPECT_EQ(load(cp949(korean), InputEncoding::cp949), cp949(korean));
    EXPECT_EQ(load("plain text\r\n", InputEncoding::automatic), "plain text\r\n");
    // CP949 read as UTF-8 is all bad bytes, each a "?" in a CP949 result.
    EXPECT_EQ(load(cp949("가가"), InputEncoding::utf8), "????");
}

TEST_F(SourceLoaderTest, MarkEdgeCases) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"empty file", "", ""},
        {"half a UTF-8 mark is text", "\xEF\xBB", "\xEF\xBB"},
        {"a UTF-8 mark alone", utf8_mark, ""},
        {"a UTF-16LE mark alone", utf16le_mark, ""},
        {"a UTF-16BE mark alone", utf16be_mark, ""},
        {"lone last UTF-16LE byte pairs with a zero byte", utf16le_mark + "A" + std::string(1, '\0') + "B", "AB"},
        {"lone UTF-16LE byte that is a line feed", utf16le_mark + "A" + std::string(1, '\0') + "\n", "A\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(load(c.bytes), c.expected) << c.what;
}

TEST_F(SourceLoaderTest, NulCharactersAreDroppedAndTheRestKept) {
    const std::string nul(1, '\0');
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"CP949", cp949("앞부분") + nul + nul + cp949("뒷부분"), cp949("앞부분뒷부분")},
        {"UTF-8", utf8_mark + "앞부분" + nul + "뒷부분", cp949("앞부분뒷부분")},
        {"UTF-16LE", utf16le_mark + utf16le("앞부분") + nul + nul + utf16le("뒷부분"), cp949("앞부분뒷부분")},
        {"UTF-16LE zero bytes inside units stay", utf16le_mark + utf16le("A") + nul + nul + utf16le("B"), "AB"},
        {"file starting with NUL", nul + "text", "text"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(load(c.bytes)), utf8(c.expected)) << c.what;
}

TEST_F(SourceLoaderTest, ForACp949ResultCharactersItLacksBecomeQuestionMarksCountedByCharacter) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"emoji", utf8_mark + "가😀나", cp949("가?나")},
        {"dash and bullet", utf8_mark + "가—나•", cp949("가?나?")},
        {"surrogate pair", utf16le_mark + utf16le("가😀"), cp949("가?")},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(load(c.bytes)), utf8(c.expected)) << c.what;
    load(utf8_mark + "—가—😀");
    EXPECT_EQ(loaded.unkept, (UnkeptCharacters{{U'—', 2}, {U'😀', 1}}));
}

TEST_F(SourceLoaderTest, ForAUtf8ResultCharactersItLacksGetStandIns) {
    std::string text = load("가—나😀다—", InputEncoding::automatic, OutputEncoding::same);
    EXPECT_EQ(loaded.stand_ins.size(), 2u);
    EXPECT_EQ(text.find('?'), std::string::npos);
    EXPECT_EQ(text.substr(0, 2), cp949("가"));
    EXPECT_EQ(text.substr(4, 2), cp949("나"));
    EXPECT_EQ(text.substr(2, 2), text.substr(10, 2)) << "one character, one stand-in";
    EXPECT_NE(text.substr(2, 2), text.substr(6, 2));
    EXPECT_TRUE(loaded.unkept.empty());
}

TEST_F(SourceLoaderTest, BytesThatAreNotTextAreCountedWithTheFirstOffset) {
    const std::string before = "첫째 줄의 문장이 이어지고";
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
        std::string warning;
    } cases[] = {
        {"lone CP949 lead byte before a line end", cp949("가나") + "\xB0\r\n" + cp949("다"),
         cp949("가나") + "?\r\n" + cp949("다"), "has 1 byte that is not CP949 text (at byte 4), written as \"?\""},
        {"CP949 lead byte at the very end", cp949("가") + "\xC8", cp949("가") + "?",
         "has 1 byte that is not CP949 text (at byte 2), written as \"?\""},
        {"lead byte before a space, and a byte that leads nothing", "a\xB0 z\x80" + cp949("가"), "a? z?" + cp949("가"),
         "has 2 bytes that are not CP949 text (the first at byte 1), written as \"?\""},
        {"UTF-8 with a bad byte among many characters", before + "\xFF 둘째 줄의 문장도 이어진다",
         cp949(before + "? 둘째 줄의 문장도 이어진다"),
         "has 1 byte that is not UTF-8 (at byte " + std::to_string(before.size()) + "), written as \"?\""},
        {"lone surrogate in UTF-16", utf16le_mark + std::string("\x00\xD8", 2) + utf16le("가"), cp949("?가"),
         "has 1 code unit that is not UTF-16 (at byte 2), written as \"?\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8(load(c.bytes)), utf8(c.expected)) << c.what;
        EXPECT_EQ(loaded.warning, c.warning) << c.what;
    }
}

TEST_F(SourceLoaderTest, ALoneLeadByteNeverTakesTheNextLinesFirstByte) {
    std::string text = load(cp949("끝") + "\xB0\r\n" + cp949("가"));
    EXPECT_EQ(text.substr(2, 3), "?\r\n");
}

TEST_F(SourceLoaderTest, SizeNeverFallsBelowTheText) {
    // U+00B7 is two bytes in CP949: one raw byte widened by decoding.
    ASSERT_TRUE(load_text(file_with("\xB7"), InputEncoding::utf16le, OutputEncoding::cp949, loaded));
    EXPECT_EQ(loaded.text, "\xA1\xA4");
    EXPECT_GE(loaded.size, 2u);
}

TEST_F(SourceLoaderTest, FilesThatArePlainlyNotTextAreRefused) {
    std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + std::string(200, '\x7F');
    std::string random;
    for (int k = 0; k < 4096; ++k) random += static_cast<char>((k * 7919 + k / 13 * 31) & 0xFF);
    std::vector<std::string> failures;
    for (const std::string& bytes : {png, random}) {
        EXPECT_FALSE(load_text(file_with(bytes), InputEncoding::automatic, OutputEncoding::cp949, loaded));
        EXPECT_TRUE(loaded.failure.starts_with("is not text: ")) << loaded.failure;
        failures.push_back(loaded.failure);
    }
    EXPECT_NE(failures[1].find("% of its bytes are control codes"), std::string::npos) << failures[1];
}

TEST_F(SourceLoaderTest, TextWithStrayControlBytesIsNeverRefused) {
    std::string novel = cp949("바다는 아침부터 잿빛이었다. 선착장에 모인 사람들은 배를 기다렸다.\r\n");
    std::string stray = novel + '\x01' + novel + std::string(3, '\0') + novel + '\x7F' + novel;
    EXPECT_EQ(load(stray), novel + '\x01' + novel + novel + '\x7F' + novel);
}

TEST_F(SourceLoaderTest, AFailedLoadSaysWhy) {
    std::string missing = (folder / "missing.txt").string();
    EXPECT_FALSE(load_text(missing, InputEncoding::automatic, OutputEncoding::cp949, loaded));
    EXPECT_NE(loaded.failure.find("cannot be opened"), std::string::npos) << loaded.failure;
    EXPECT_NE(loaded.failure.find("No such file"), std::string::npos) << loaded.failure;
    EXPECT_FALSE(load_text(folder.string(), InputEncoding::automatic, OutputEncoding::cp949, loaded));
    EXPECT_NE(loaded.failure.find("folder"), std::string::npos) << loaded.failure;
}

TEST_F(SourceLoaderTest, OnlyTheTextAskedForIsKeptWhileTheSizeCountsTheWhole) {
    std::string text = cp949("가나다라마바사아자차카타파하\r\n");
    ASSERT_TRUE(load_text(file_with(text + text), InputEncoding::automatic, OutputEncoding::cp949, loaded, 10));
    EXPECT_EQ(loaded.text, text.substr(0, 10));
    EXPECT_EQ(loaded.size, 2 * text.size());
}

TEST_F(SourceLoaderTest, FilesAreReadToTheirEndWhateverSizeTheyReport) {
    if (!fs::exists("/proc/self/status")) GTEST_SKIP() << "no /proc here";
    ASSERT_EQ(fs::file_size("/proc/self/status"), 0u);
    ASSERT_TRUE(load_text("/proc/self/status", InputEncoding::automatic, OutputEncoding::cp949, loaded));
    EXPECT_NE(loaded.text.find("Name:"), std::string::npos);
    EXPECT_GE(loaded.size, loaded.text.size());
}

TEST_F(SourceLoaderTest, StandardInputGetsTheSameDetectionAndWarnings) {
    std::string path = file_with(utf16be_mark + utf16be("표준 입력\r\n") + std::string("\xDC\x00", 2));
    int saved = dup(STDIN_FILENO);
    int input = open(path.c_str(), O_RDONLY);
    dup2(input, STDIN_FILENO);
    close(input);
    bool read = load_text("-", InputEncoding::automatic, OutputEncoding::cp949, loaded);
    dup2(saved, STDIN_FILENO);
    close(saved);
    ASSERT_TRUE(read) << loaded.failure;
    EXPECT_EQ(utf8(loaded.text), "표준 입력\r\n?");
    EXPECT_EQ(loaded.encoding, TextEncoding::utf16be);
    EXPECT_EQ(loaded.warning, "has 1 code unit that is not UTF-16 (at byte 16), written as \"?\"");
}

}  // namespace

}  // namespace tessaline
