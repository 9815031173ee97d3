#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "pipeline/source_loader.h"
#include "platform/platform.h"
#include "tests/support/cp949.h"

namespace fs = std::filesystem;

namespace {

const std::string UTF8_MARK = "\xEF\xBB\xBF";
const std::string UTF16_MARK = "\xFF\xFE";

std::string utf16le(const std::string& utf8_text) {
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    std::string out(utf8_text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8_text.data());
    size_t in_left = utf8_text.size();
    char* to = out.data();
    size_t room = out.size();
    iconv(cd, &in, &in_left, &to, &room);
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

std::string loaded_text() { return std::string(reinterpret_cast<const char*>(source_text.bytes)); }

class SourceLoaderTest : public ::testing::Test {
protected:
    fs::path folder;

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

    // Loads the bytes from a file; the text must be NUL-terminated exactly at its end.
    std::string load(const std::string& bytes, InputEncoding input_encoding) {
        EXPECT_TRUE(load_source_file(file_with(bytes).c_str(), input_encoding));
        EXPECT_EQ(source_size, bytes.size());
        return loaded_text();
    }
};

TEST(DetectTextEncoding, LooksOnlyAtTheMarkAndStopsAtTheTerminator) {
    struct Case {
        std::string raw;
        int expected;
    } cases[] = {
        {"\xEF\xBB\xBF" "abc", ENCODING_UTF8},
        {"\xFF\xFE" "a", ENCODING_UTF16LE},
        {"\xEF\xBB", ENCODING_ANSI},
        {"\xFE\xFF" "a", ENCODING_ANSI},
        {"\xFF", ENCODING_ANSI},
        {"", ENCODING_ANSI},
        {"plain", ENCODING_ANSI},
    };
    for (const auto& c : cases) {
        std::string raw = c.raw + std::string(2, '\0');
        EXPECT_EQ(detect_text_encoding(reinterpret_cast<const unsigned char*>(raw.data())), c.expected) << c.raw;
    }
}

TEST_F(SourceLoaderTest, DecodesEachEncodingToCp949) {
    const std::string korean = "한자(漢字)를 읽는 밤\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        InputEncoding input_encoding;
        std::string expected;
    } cases[] = {
        {"CP949 taken byte for byte", cp949(korean), InputEncoding::BY_MARK, cp949(korean)},
        {"UTF-8 with its mark", UTF8_MARK + korean, InputEncoding::BY_MARK, cp949(korean)},
        {"UTF-16LE with its mark", UTF16_MARK + utf16le(korean), InputEncoding::BY_MARK, cp949(korean)},
        {"UTF-8 without a mark is not guessed", korean, InputEncoding::BY_MARK, korean},
        {"UTF-16BE mark is unknown", std::string("\xFE\xFF\x00" "A", 4), InputEncoding::BY_MARK, "\xFE\xFF" "A"},
        {"cp949 setting still honours a mark", UTF8_MARK + korean, InputEncoding::CP949, cp949(korean)},
        {"auto: unmarked UTF-8", korean, InputEncoding::AUTO, cp949(korean)},
        {"auto: CP949 is not UTF-8", cp949(korean), InputEncoding::AUTO, cp949(korean)},
        {"auto: ASCII stays", "plain text\r\n", InputEncoding::AUTO, "plain text\r\n"},
        {"auto: marked UTF-16LE", UTF16_MARK + utf16le(korean), InputEncoding::AUTO, cp949(korean)},
        {"auto: cut last UTF-8 character is not UTF-8", korean + "\xED\x95", InputEncoding::AUTO, korean + "\xED\x95"},
        {"forced UTF-8 without a mark", korean, InputEncoding::UTF8, cp949(korean)},
        {"forced UTF-8 skips a mark", UTF8_MARK + korean, InputEncoding::UTF8, cp949(korean)},
        {"forced UTF-16LE without a mark", utf16le(korean), InputEncoding::UTF16LE, cp949(korean)},
        {"forced UTF-16LE skips a mark", UTF16_MARK + utf16le(korean), InputEncoding::UTF16LE, cp949(korean)},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(load(c.bytes, c.input_encoding)), utf8(c.expected)) << c.what;
}

TEST_F(SourceLoaderTest, MarkEdgeCases) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"empty file", "", ""},
        {"half a UTF-8 mark is text", "\xEF\xBB", "\xEF\xBB"},
        {"a UTF-8 mark alone", UTF8_MARK, ""},
        {"a UTF-16LE mark alone", UTF16_MARK, ""},
        {"lone last UTF-16LE byte pairs with the terminator", UTF16_MARK + "A" + std::string(1, '\0') + "B", "AB"},
        {"lone UTF-16LE byte that is a line feed", UTF16_MARK + "A" + std::string(1, '\0') + "\n", "A\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(load(c.bytes, InputEncoding::BY_MARK), c.expected) << c.what;
}

TEST_F(SourceLoaderTest, NulCharactersAreDroppedAndTheRestKept) {
    const std::string nul(1, '\0');
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"CP949", cp949("앞부분") + nul + nul + cp949("뒷부분"), cp949("앞부분뒷부분")},
        {"UTF-8", UTF8_MARK + "앞부분" + nul + "뒷부분", cp949("앞부분뒷부분")},
        {"UTF-16LE", UTF16_MARK + utf16le("앞부분") + nul + nul + utf16le("뒷부분"), cp949("앞부분뒷부분")},
        {"UTF-16LE zero bytes inside units stay", UTF16_MARK + utf16le("A") + nul + nul + utf16le("B"), "AB"},
        {"file starting with NUL", nul + "text", "text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8(load(c.bytes, InputEncoding::BY_MARK)), utf8(c.expected)) << c.what;
        EXPECT_EQ(source_text.bytes[c.expected.size()], 0) << c.what;
    }
}

TEST_F(SourceLoaderTest, UnencodableAndMalformedCharactersBecomeQuestionMarks) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"emoji", UTF8_MARK + "가\xF0\x9F\x98\x80나", cp949("가?나")},
        {"malformed byte", UTF8_MARK + "가\xFF나", cp949("가?나")},
        {"truncated sequence at the end", UTF8_MARK + "가\xEA\xB0", cp949("가?")},
        {"lone surrogate", UTF16_MARK + std::string("\x00\xD8", 2) + utf16le("가"), cp949("?가")},
        {"surrogate pair", UTF16_MARK + utf16le("가\xF0\x9F\x98\x80"), cp949("가?")},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(load(c.bytes, InputEncoding::BY_MARK)), utf8(c.expected)) << c.what;
}

TEST_F(SourceLoaderTest, ConvertedTextIsShorterThanItsFileAndTheSizeCountsTheMark) {
    std::string text = UTF8_MARK + "가나다라";
    load(text, InputEncoding::BY_MARK);
    EXPECT_EQ(source_size, 15u);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(source_text.bytes)), 8u);
}

TEST_F(SourceLoaderTest, SizeNeverFallsBelowTheTextOfALoneWideningByte) {
    // U+00B7 is two bytes in CP949: one raw byte widened by decoding.
    ASSERT_TRUE(load_source_file(file_with("\xB7").c_str(), InputEncoding::UTF16LE));
    EXPECT_EQ(loaded_text(), "\xA1\xA4");
    EXPECT_GE(source_size, 2u);
}

TEST_F(SourceLoaderTest, AFailedLoadKeepsThePreviousTextAndIsReported) {
    ASSERT_TRUE(load_source_file(file_with(cp949("이전 소설")).c_str(), InputEncoding::BY_MARK));
    std::string missing = (folder / "missing.txt").string();
    std::string missing_reason, folder_reason;
    EXPECT_FALSE(load_source_file(missing.c_str(), InputEncoding::BY_MARK, &missing_reason));
    EXPECT_FALSE(load_source_file(folder.c_str(), InputEncoding::BY_MARK, &folder_reason));
    EXPECT_EQ(utf8(loaded_text()), "이전 소설");
    EXPECT_EQ(source_size, cp949("이전 소설").size());
    EXPECT_NE(missing_reason.find("cannot be opened"), std::string::npos) << missing_reason;
    EXPECT_NE(missing_reason.find("No such file"), std::string::npos) << missing_reason;
    EXPECT_NE(folder_reason.find("folder"), std::string::npos) << folder_reason;
}

TEST_F(SourceLoaderTest, AFileThatShrinksWhileBeingReadIsAShortRead) {
    std::string path = file_with(std::string(1000, 'x'));
    uint64_t size = 0;
    PlatformFile* file = platform_open_existing(path.c_str(), &size);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 1000u);
    fs::resize_file(path, 400);
    std::vector<unsigned char> into(1000);
    EXPECT_FALSE(platform_read_exact(file, into.data(), into.size()));
    platform_close(file);
}

TEST_F(SourceLoaderTest, BytesFromMemoryDecodeLikeAFile) {
    std::string bytes = UTF16_MARK + utf16le("표준 입력\r\n");
    std::string reason;
    ASSERT_TRUE(load_source_bytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                  InputEncoding::BY_MARK, &reason));
    EXPECT_EQ(utf8(loaded_text()), "표준 입력\r\n");
    EXPECT_EQ(source_size, bytes.size());
    ASSERT_TRUE(load_source_bytes(nullptr, 0, InputEncoding::BY_MARK, &reason));
    EXPECT_EQ(loaded_text(), "");
}

TEST(CodePages, Cp949ToUtf8ReplacesWhatIsNotCp949) {
    std::string text = cp949("한글 text") + "\xFF" + cp949("끝") + "\xB0";
    size_t count = 0;
    unsigned char* converted =
        platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &count);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(converted), count), "한글 text\xEF\xBF\xBD끝\xEF\xBF\xBD");
    EXPECT_EQ(converted[count], 0);
    std::free(converted);
}

}  // namespace
