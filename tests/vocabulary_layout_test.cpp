// The book-vocabulary mode on whole books: a few paragraphs hard-wrapped at many widths, so that
// every cut of one copy is read whole inside the lines of the others. The book's wrap habit and
// its paragraph layout must bring back the paragraphs exactly; the rules alone do not.

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

const char* const source_paragraphs[] = {
    "아침 햇살이 마당 한가운데로 천천히 번져 갔다. 어머니는 부엌에서 밥을 지으며 조용히 노래를 불렀다. "
    "아이들은 아직 이불 속에서 꿈을 꾸고 있었다.",
    "마을 앞 개울에는 맑은 물이 쉬지 않고 흘렀다. 아이들은 여름마다 그 물가에서 물고기를 잡으며 놀았다.",
    "할아버지는 오래된 지팡이를 짚고 언덕 위의 밭으로 올라갔다. 밭에는 감자와 옥수수가 가지런히 자라고 "
    "있었다. 그는 한참 동안 밭을 바라보다가 흐뭇하게 웃었다.",
    "저녁이 되자 바람이 서늘해지고 하늘에는 별이 하나둘 떠올랐다. 식구들은 마루에 모여 앉아 하루 동안 "
    "있었던 일을 이야기했다.",
    "다음 날 아침 일찍 아버지는 장에 가려고 길을 나섰다. 장터에는 사람들이 많이 모여 있었고 물건을 "
    "사고파는 소리가 요란했다.",
    "해가 질 무렵 아버지는 무거운 보따리를 메고 집으로 돌아왔다. 아이들은 대문 밖까지 달려 나가 아버지를 "
    "반갑게 맞았다.",
};

constexpr size_t narrowest = 13;  // characters per line of the first copy
constexpr size_t widest = 24;     // ... and of the last

const char full_width_space[] = "\xA1\xA1";  // 　

struct WrapStyle {
    const char* name;
    bool keeps_space;    // a space at the cut stays at the line's end
    bool between_words;  // cuts fall only at spaces
    bool indented;       // first lines start with a full-width space
    bool blank_lines;    // an empty line after every paragraph
};

size_t char_bytes(const std::string& text, size_t pos) { return static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1; }

// Where the line from `start` ends: after `width` characters, or at the last space before them.
size_t cut_position(const std::string& text, size_t start, size_t width, bool between_words) {
    size_t end = start;
    for (size_t n = 0; n < width && end < text.size(); ++n) end += char_bytes(text, end);
    if (!between_words || end >= text.size() || text[end] == ' ') return end;
    size_t space = text.rfind(' ', end - 1);
    return space != std::string::npos && space > start ? space : end;
}

std::string wrap_paragraph(const std::string& text, size_t width, const WrapStyle& style) {
    std::string wrapped = style.indented ? full_width_space : "";
    for (size_t start = 0; start < text.size();) {
        size_t end = cut_position(text, start, width, style.between_words);
        size_t next = end < text.size() && text[end] == ' ' ? end + 1 : end;
        size_t line_end = style.keeps_space ? next : end;
        while (!style.keeps_space && line_end > start && text[line_end - 1] == ' ') --line_end;
        wrapped += text.substr(start, line_end - start) + "\r\n";
        start = next;
    }
    return wrapped + (style.blank_lines ? "\r\n" : "");
}

std::string wrapped_book(const WrapStyle& style) {
    std::string book;
    for (size_t width = narrowest; width <= widest; ++width)
        for (const char* paragraph : source_paragraphs) book += wrap_paragraph(cp949(paragraph), width, style);
    return book;
}

std::vector<std::string> expected_paragraphs() {
    std::vector<std::string> paragraphs;
    for (size_t width = narrowest; width <= widest; ++width)
        for (const char* paragraph : source_paragraphs) paragraphs.push_back(cp949(paragraph));
    return paragraphs;
}

// The output's paragraphs: its non-empty lines without their indentation.
std::vector<std::string> output_paragraphs(const std::string& output) {
    std::vector<std::string> paragraphs;
    for (size_t start = 0; start < output.size();) {
        size_t end = output.find("\r\n", start);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(start, end - start);
        while (line.rfind(' ', 0) == 0 || line.rfind(full_width_space, 0) == 0) line.erase(0, line[0] == ' ' ? 1 : 2);
        if (!line.empty()) paragraphs.push_back(line);
        start = end + 2;
    }
    return paragraphs;
}

class WrappedBook : public testing::TestWithParam<WrapStyle> {};

TEST_P(WrappedBook, ComesBackAsItsParagraphs) {
    std::string book = wrapped_book(GetParam());
    ConversionOptions options = plain_options();
    EXPECT_NE(output_paragraphs(reflow(book, options)), expected_paragraphs()) << "rules";
    options.joints = JointMode::vocabulary;
    EXPECT_EQ(output_paragraphs(reflow(book, options)), expected_paragraphs()) << "vocabulary";
}

// The space at a cut is the book's own where the wrap kept it or cut only between words, and
// a sentence that ends a line goes on when the next line bears no paragraph mark.
INSTANTIATE_TEST_SUITE_P(Habits, WrappedBook,
                         testing::Values(WrapStyle{"space_kept_at_the_cut", true, false, false, false},
                                         WrapStyle{"cut_between_words", false, true, false, true},
                                         WrapStyle{"indented_paragraphs", false, false, true, false},
                                         WrapStyle{"blank_lines_between_paragraphs", false, false, false, true}),
                         [](const testing::TestParamInfo<WrapStyle>& info) { return std::string(info.param.name); });

class MarkedBook : public testing::TestWithParam<WrapStyle> {};

// A paragraph that ends in a comma before a quotation is joined to it by the rules, even across
// an empty line; a book that marks its paragraphs keeps the two apart.
TEST_P(MarkedBook, KeepsAParagraphEndTheRulesWouldJoin) {
    const std::string ending = cp949("그는 한참 말이 없다가 고개를 들며,");
    const std::string quotation = cp949("\"그래, '내일' 다시 오너라.\"");
    std::string book = wrapped_book(GetParam()) + wrap_paragraph(ending, widest, GetParam()) +
                       wrap_paragraph(quotation, widest, GetParam());
    ConversionOptions options = plain_options();
    std::vector<std::string> by_rules = output_paragraphs(reflow(book, options));
    EXPECT_EQ(by_rules.back(), ending + " " + quotation) << "rules";
    options.joints = JointMode::vocabulary;
    std::vector<std::string> by_vocabulary = output_paragraphs(reflow(book, options));
    ASSERT_GE(by_vocabulary.size(), 2u);
    EXPECT_EQ(by_vocabulary[by_vocabulary.size() - 2], ending);
    EXPECT_EQ(by_vocabulary.back(), quotation);
}

INSTANTIATE_TEST_SUITE_P(Marks, MarkedBook,
                         testing::Values(WrapStyle{"indented_paragraphs", false, false, true, false},
                                         WrapStyle{"blank_lines_between_paragraphs", false, false, false, true}),
                         [](const testing::TestParamInfo<WrapStyle>& info) { return std::string(info.param.name); });

constexpr int very_long_lines = 3;  // lines of over 800 bytes that make the rules split a book

// A paragraph of over 800 bytes in pieces of three of the paragraphs in a row: each over 300
// bytes, so the rules split it in a book they split.
std::vector<std::string> long_paragraph_pieces() {
    std::vector<std::string> pieces;
    for (size_t first = 0; first + 2 < std::size(source_paragraphs); ++first)
        pieces.push_back(cp949(source_paragraphs[first]) + " " + cp949(source_paragraphs[first + 1]) + " " +
                         cp949(source_paragraphs[first + 2]));
    return pieces;
}

std::string long_paragraph() {
    std::string text;
    for (const std::string& piece : long_paragraph_pieces()) text += (text.empty() ? "" : " ") + piece;
    return text;
}

// The long paragraph as one line, as it stands in a book that was never wrapped.
std::string unwrapped_long_paragraph(const WrapStyle& style) {
    return wrap_paragraph(long_paragraph(), long_paragraph().size(), style);
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The long paragraph with a line per piece, as if the wrap had cut it only at the end of every
// piece: the rules keep those lines apart for their full stops, the book's layout joins them.
std::string long_paragraph_in_pieces(const WrapStyle& style) {
    WrapStyle inside = style;
    inside.blank_lines = false;
    std::string lines;
    for (const std::string& piece : long_paragraph_pieces()) {
        lines += wrap_paragraph(piece, piece.size(), inside);
        inside.indented = false;
    }
    return lines + (style.blank_lines ? "\r\n" : "");
}

// Where the output breaks its lines, each counted in the text bytes (whitespace left out) before it.
std::set<size_t> break_positions(const std::string& output) {
    std::set<size_t> breaks;
    size_t text = 0;
    for (char c : output) {
        if (c == '\n') breaks.insert(text);
        else if (c != ' ' && c != '\r') ++text;
    }
    return breaks;
}

// The breaks the long-sentence pass adds to the rules' output, or to the mode's.
std::set<size_t> split_breaks(const std::string& book, JointMode joints) {
    ConversionOptions options = window_defaults();
    options.joints = joints;
    std::set<size_t> added = break_positions(reflow(book, options));
    options.split_long_sentences = false;
    for (size_t kept : break_positions(reflow(book, options))) added.erase(kept);
    return added;
}

struct SplitCase {
    const char* name;
    WrapStyle style;
    bool split_by_rules;  // the book starts with very long lines of its own
};

class LongParagraphs : public testing::TestWithParam<SplitCase> {};

// The mode's joints make some lines longer and some paragraphs whole; the pass that splits long
// paragraphs still picks the books, paragraphs and sentence ends the rules gave it.
TEST_P(LongParagraphs, AreSplitWhereTheRulesSplitThem) {
    const SplitCase& c = GetParam();
    std::string book;
    for (int n = 0; c.split_by_rules && n < very_long_lines; ++n) book += unwrapped_long_paragraph(c.style);
    book += wrapped_book(c.style);
    for (int n = 0; n < very_long_lines; ++n) book += long_paragraph_in_pieces(c.style);
    ConversionOptions unsplit = window_defaults();
    unsplit.split_long_sentences = 0;
    unsplit.joints = JointMode::vocabulary;
    ASSERT_EQ(occurrences(reflow(book, unsplit), long_paragraph()), (c.split_by_rules ? 2 : 1) * very_long_lines)
        << "the book's layout joins the pieces";
    std::set<size_t> by_rules = split_breaks(book, JointMode::rules);
    EXPECT_EQ(by_rules.empty(), !c.split_by_rules);
    EXPECT_EQ(split_breaks(book, JointMode::vocabulary), by_rules);
}

INSTANTIATE_TEST_SUITE_P(
    Books, LongParagraphs,
    testing::Values(SplitCase{"indented_unsplit", WrapStyle{"", false, false, true, false}, false},
                    SplitCase{"indented_split", WrapStyle{"", false, false, true, false}, true},
                    SplitCase{"word_wrapped_unsplit", WrapStyle{"", false, true, false, true}, false},
                    SplitCase{"word_wrapped_split", WrapStyle{"", false, true, false, true}, true}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// A book that was never wrapped: every line is a paragraph, most followed by an empty line. No
// line stops inside a sentence, so the empty lines say nothing about where the wrap cut.
TEST(BookLayout, LeavesTheLinesOfAnUnwrappedBookApart) {
    std::string book;
    for (const char* paragraph : source_paragraphs) book += cp949(paragraph) + "\r\n\r\n";
    book += book + book + book;
    book += cp949("첫째 날에는 아침부터 비가 내렸다.\r\n둘째 날에는 하늘이 맑게 개었다.\r\n");
    ConversionOptions options = plain_options();
    options.joints = JointMode::vocabulary;
    std::string output = reflow(book, options);
    EXPECT_NE(output.find(cp949("내렸다.\r\n둘째")), std::string::npos) << utf8(output.substr(output.size() - 120));
}

struct HabitCase {
    const char* name;
    WrapStyle style;         // how the book around the joint was wrapped
    const char* lines;       // a paragraph of words the book shows nowhere else, cut without a blank
    const char* rules;       // the joint as the rules alone make it
    const char* vocabulary;  // the joint by the book's habit
};

class WrapHabit : public testing::TestWithParam<HabitCase> {};

// A cut without a blank is inside a word in a book whose wrap keeps its spaces, and between two
// words in a book wrapped only at spaces, whatever the words.
TEST_P(WrapHabit, DecidesAJointOfUnknownWords) {
    const HabitCase& c = GetParam();
    std::string book = wrapped_book(c.style) + cp949(c.lines);
    ConversionOptions options = plain_options();
    EXPECT_NE(reflow(book, options).find(cp949(c.rules)), std::string::npos) << "rules";
    options.joints = JointMode::vocabulary;
    EXPECT_NE(reflow(book, options).find(cp949(c.vocabulary)), std::string::npos) << "vocabulary";
}

INSTANTIATE_TEST_SUITE_P(
    BothWays, WrapHabit,
    testing::Values(HabitCase{"kept_spaces_mean_no_space", WrapStyle{"", true, false, false, false},
                              "마을 어귀에서 쉬고 있던 지게\n꾼이 짐을 내려놓았다.\n", "지게 꾼이", "지게꾼이"},
                    HabitCase{"word_wrap_means_a_space", WrapStyle{"", false, true, false, true},
                              "그날 저녁 마을 어귀에서 낯선 사내\n고갯마루를 넘어왔다.\n", "사내고갯마루",
                              "사내 고갯마루"}),
    [](const testing::TestParamInfo<HabitCase>& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace tessaline
