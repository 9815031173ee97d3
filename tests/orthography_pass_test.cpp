#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "engine/passes/orthography_pass.h"
#include "engine/passes/output_delivery.h"
#include "engine/reflow.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

class StringSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { text.append(bytes.begin(), bytes.end()); }
    std::string text;
};

// The pass over `text` handed over in pieces cut at `cuts` (ascending positions).
std::string correct_in_pieces(const std::string& text, const std::vector<size_t>& cuts) {
    OutputDelivery delivery;
    OrthographyPass pass(delivery);
    size_t from = 0;
    for (size_t cut : cuts) {
        pass.take(reinterpret_cast<const unsigned char*>(text.data()) + from, cut - from);
        from = cut;
    }
    pass.take(reinterpret_cast<const unsigned char*>(text.data()) + from, text.size() - from);
    pass.finish();
    StringSink sink;
    delivery.flush(sink);
    return sink.text;
}

std::string correct(const std::string& text) { return correct_in_pieces(text, {}); }

TEST(OrthographyPass, CorrectsTheOldPoliteEnding) {
    EXPECT_EQ(utf8(correct(cp949("그는 했읍니다. 있읍니까?\r\n"))), "그는 했습니다. 있습니까?\r\n");
    EXPECT_EQ(utf8(correct(cp949("읍니읍니"))), "습니습니");
    EXPECT_EQ(utf8(correct(cp949("읍 니 읍니"))), "읍 니 습니");
    EXPECT_EQ(utf8(correct(cp949("끝에 읍"))), "끝에 읍");
}

// The ending's four bytes also stand across characters: ダ쓴懼 holds them from its second byte.
TEST(OrthographyPass, CorrectsOnlyWhereACharacterStarts) {
    const struct {
        const char* text;
        const char* corrected;
    } cases[] = {
        {"a읍니다", "a습니다"},           {"했읍니다", "했습니다"},       {"ダ쓴懼", "ダ쓴懼"},
        {"가ダ쓴懼", "가ダ쓴懼"},         {"ダ쓴懼 읍니", "ダ쓴懼 습니"}, {"ダ읍니다", "ダ습니다"},
        {"カダ쓴懼읍니", "カダ쓴懼습니"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8(correct(cp949(c.text))), c.corrected) << c.text;
}

TEST(OrthographyPass, AnEmptyTextStaysEmpty) { EXPECT_EQ(correct(""), ""); }

// The text comes in pieces: an ending cut anywhere, even into single bytes, is still found.
TEST(OrthographyPass, FindsAnEndingCutBetweenPieces) {
    std::string text = cp949("했읍니다 읍니읍니 읍 니 끝에 읍");
    std::string whole = correct(text);
    ASSERT_EQ(utf8(whole), "했습니다 습니습니 읍 니 끝에 읍");
    for (size_t first = 0; first <= text.size(); ++first) {
        for (size_t second = first; second <= text.size(); ++second)
            EXPECT_EQ(correct_in_pieces(text, {first, second}), whole) << "cut at " << first << " and " << second;
    }
    std::vector<size_t> every_byte;
    for (size_t k = 1; k < text.size(); ++k) every_byte.push_back(k);
    EXPECT_EQ(correct_in_pieces(text, every_byte), whole);
}

// Every old ending replaced where a character starts, read character by character.
std::string replaced_everywhere(std::string text) {
    const std::string old_ending = cp949("읍니"), new_ending = cp949("습니");
    for (size_t at = 0; at < text.size(); at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1)
        if (text.compare(at, old_ending.size(), old_ending) == 0) text.replace(at, old_ending.size(), new_ending);
    return text;
}

// The text is corrected in blocks of 64 KiB: an ending is found wherever a block ends in it,
// whether the text comes whole, in pieces of a block's size or in pieces that end in the ending.
// Among one-byte characters, and among two-byte ones where the block's end falls inside a
// character and the bytes of an ending that stand across characters lie about it.
TEST(OrthographyPass, FindsAnEndingAcrossTheEndOfABlock) {
    const size_t block = size_t{1} << 16;
    for (const std::string& filler : {std::string("a"), cp949("가")}) {
        for (size_t shift = 0; shift <= 8; ++shift) {
            std::string text;
            while (text.size() < 3 * block) text += filler;
            for (size_t end : {block, 2 * block}) {
                size_t at = end - shift - (end - shift) % filler.size();
                text.replace(at, 4, cp949("읍니"));
                text.replace(at + 2 * filler.size() + 4, 6, cp949("ダ쓴懼"));
            }
            std::string expected = replaced_everywhere(text);
            ASSERT_NE(expected, text);
            EXPECT_EQ(correct(text), expected) << shift;
            EXPECT_EQ(correct_in_pieces(text, {block, 2 * block}), expected) << shift;
            EXPECT_EQ(correct_in_pieces(text, {block - shift + 2, 2 * block - shift + 1}), expected) << shift;
            EXPECT_EQ(correct_in_pieces(text, {block + 1, 2 * block + 3}), expected) << shift;
        }
    }
}

TEST(OrthographyInTheEngine, CorrectsWithEveryOptionOffOrOn) {
    EXPECT_EQ(reflow_utf8("그는 했읍니다.", plain_options()), "그는 했습니다.\r\n");
    ConversionOptions all = window_defaults();
    all.remove_hanja = true;
    all.mark_joins = true;
    EXPECT_EQ(reflow_utf8("그는 했읍니다.", all), "그는 했습니다.\r\n");
}

}  // namespace

}  // namespace tessaline
