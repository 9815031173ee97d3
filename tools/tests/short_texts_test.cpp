#include "tools/corpus/short_texts.h"

#include <gtest/gtest.h>

#include "tests/support/cp949.h"

namespace tessaline {

namespace {

std::vector<std::string> paragraphs_of(const std::vector<const char*>& utf8_paragraphs) {
    std::vector<std::string> paragraphs;
    for (const char* p : utf8_paragraphs) paragraphs.push_back(cp949(p));
    return paragraphs;
}

// The pieces of one text as readable Korean, paragraphs joined by '|'.
std::vector<std::string> readable(const std::vector<std::vector<std::string>>& texts) {
    std::vector<std::string> shown;
    for (const auto& text : texts) {
        std::string joined;
        for (const std::string& p : text) joined += (joined.empty() ? "" : "|") + utf8(p);
        shown.push_back(joined);
    }
    return shown;
}

TEST(Cp949Chars, CountsASyllableAsOneCharacter) {
    EXPECT_EQ(cp949_chars(cp949("가나 ab.")), 6u);
    EXPECT_EQ(cp949_chars(""), 0u);
}

struct ShortCase {
    const char* name;
    std::vector<const char*> paragraphs;
    size_t max_chars;
    std::vector<std::string> expected;
};

class CutShortTexts : public testing::TestWithParam<ShortCase> {};

TEST_P(CutShortTexts, KeepsEveryTextUnderTheLimit) {
    const ShortCase& c = GetParam();
    auto texts = cut_short_texts(paragraphs_of(c.paragraphs), c.max_chars);
    EXPECT_EQ(readable(texts), c.expected);
    for (const auto& text : texts) {
        size_t chars = text.size() - 1;  // the LFs between the paragraphs
        for (const std::string& p : text) chars += cp949_chars(p);
        EXPECT_LT(chars, c.max_chars);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutShortTexts,
    testing::Values(ShortCase{"paragraphs gathered while they fit",
                              {"가나다.", "라마.", "바사아."},
                              9,
                              {"가나다.|라마.", "바사아."}},
                    ShortCase{"the LF between two paragraphs counts", {"가나다.", "라마."}, 8, {"가나다.", "라마."}},
                    ShortCase{"a long paragraph cut at its last space that fits",
                              {"그는 천천히 고개를 들었다."},
                              10,
                              {"그는 천천히", "고개를 들었다."}},
                    ShortCase{"a word longer than a text cut where the limit falls",
                              {"가나다라마바사아"},
                              4,
                              {"가나다", "라마바", "사아"}}),
    [](const testing::TestParamInfo<ShortCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace

}  // namespace tessaline
