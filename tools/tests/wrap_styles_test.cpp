#include "tools/corpus/wrap_styles.h"

#include <gtest/gtest.h>

#include "tests/support/cp949.h"
#include "tools/checks/text_kept.h"

namespace tessaline {

namespace {

// 34 syllables, a space, then more: the 35th character of the first line is the space.
const std::string paragraph = cp949(
    "가나다라마바사아자차카타파하가나다라마바사아자차카타파하가나다라마바 "
    "사아자차카타파하 가나다라마바사아자차카타파하가나다라마바사아자차카타파하가나다라.");
const std::string second = cp949("둘째 문단이다.");

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class EveryStyle : public testing::TestWithParam<WrapStyle> {};

TEST_P(EveryStyle, KeepsTheTextAndTheWidth) {
    WrappedNovel novel = wrap_novel({paragraph, second}, GetParam());
    EXPECT_EQ(find_lost_text(novel.original, novel.text, KeptTextAllowance{false, true}), "");
    for (const std::string& line : lines_of(novel.text)) EXPECT_LE(line.size(), wrap_width + 1) << utf8(line);
    EXPECT_EQ(novel.original, paragraph + "\n" + second);
    EXPECT_EQ(novel.lines.size(), 2u);
    EXPECT_EQ(novel.lines[1].size(), 1u);
}

TEST_P(EveryStyle, RecordsEveryCutAtTheLastTextByteBeforeIt) {
    WrappedNovel novel = wrap_novel({paragraph}, GetParam());
    ASSERT_EQ(novel.cuts.size(), novel.lines[0].size() - 1);
    for (size_t cut : novel.cuts) {
        EXPECT_NE(novel.original[cut], ' ');
        EXPECT_LT(cut + 1, novel.original.size());
    }
}

TEST_P(EveryStyle, HasAName) {
    WrapStyle parsed;
    ASSERT_TRUE(parse_wrap_style(wrap_style_name(GetParam()), &parsed));
    EXPECT_EQ(parsed, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Styles, EveryStyle, testing::ValuesIn(all_wrap_styles()),
                         [](const testing::TestParamInfo<WrapStyle>& info) {
                             std::string name = wrap_style_name(info.param);
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(WrapStyles, CutAnywhereDropsTheSpaceAtTheCut) {
    WrappedNovel novel = wrap_novel({paragraph}, WrapStyle::CUT_SPACE_DROPPED);
    EXPECT_EQ(novel.lines[0][0], paragraph.substr(0, 68));
    EXPECT_EQ(novel.lines[0][1].substr(0, 2), cp949("사"));
    EXPECT_EQ(novel.cuts[0], 67u);
}

TEST(WrapStyles, CutAnywhereCanKeepTheSpaceAtTheLineEnd) {
    WrappedNovel novel = wrap_novel({paragraph}, WrapStyle::CUT_SPACE_KEPT);
    EXPECT_EQ(novel.lines[0][0], paragraph.substr(0, 69));
    EXPECT_EQ(novel.lines[0][1].substr(0, 2), cp949("사"));
}

TEST(WrapStyles, CutAnywhereCutsInsideWords) {
    WrappedNovel novel = wrap_novel({paragraph}, WrapStyle::CUT_SPACE_DROPPED);
    EXPECT_GE(novel.lines[0][1].size(), wrap_width - 1);
    EXPECT_NE(novel.original[novel.cuts[1] + 1], ' ');
}

TEST(WrapStyles, WordWrapCutsOnlyAtSpaces) {
    WrappedNovel novel = wrap_novel({paragraph}, WrapStyle::WORD_WRAP);
    for (size_t k = 0; k + 1 < novel.cuts.size(); ++k) EXPECT_EQ(novel.original[novel.cuts[k] + 1], ' ');
    EXPECT_EQ(novel.lines[0][1], cp949("사아자차카타파하"));
}

TEST(WrapStyles, SeparatesParagraphsByAnEmptyLine) {
    WrappedNovel novel = wrap_novel({second, second}, WrapStyle::BLANK_LINES);
    EXPECT_EQ(novel.text, second + "\r\n\r\n" + second + "\r\n");
}

TEST(WrapStyles, IndentsFirstLinesWithAFullWidthSpace) {
    WrappedNovel novel = wrap_novel({second, paragraph}, WrapStyle::INDENTED);
    EXPECT_EQ(novel.lines[0][0], cp949("　") + second);
    EXPECT_EQ(novel.lines[1][0].substr(0, 2), cp949("　"));
    EXPECT_LE(novel.lines[1][0].size(), wrap_width);
    EXPECT_NE(novel.lines[1][1].substr(0, 2), cp949("　"));
}

TEST(WrapStyles, NaiveJoinsPutTheJointBetweenLinesOnly) {
    WrappedNovel novel = wrap_novel({paragraph, second}, WrapStyle::CUT_SPACE_DROPPED);
    std::string joined = join_paragraph_lines(novel, " ");
    EXPECT_EQ(lines_of(joined).size(), 2u);
    EXPECT_EQ(lines_of(joined)[1], second);
    EXPECT_EQ(lines_of(join_paragraph_lines(novel, ""))[0].size(), paragraph.size() - 1);
}

}  // namespace

}  // namespace tessaline
