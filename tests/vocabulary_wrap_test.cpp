// The vocabulary mode on a book wrapped at one width: a line that fills the width ended there
// because the next line's text did not fit, so a sentence that ends it goes on into the next
// line, unless no other sentence ends near it; a line that ends short of the width, or before a
// quotation, ends its paragraph. And a
// book that writes its quotations and the 하고 after them on one line keeps them there.

#include <gtest/gtest.h>

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
};

constexpr size_t wrap_columns = 40;  // bytes: 20 characters as wide as a Hangul syllable
constexpr int copies = 3;            // of the paragraphs, so the book shows its wrap often enough

size_t char_bytes(const std::string& text, size_t pos) { return static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1; }

// The paragraph wrapped at wrap_columns bytes, anywhere or only between words; a space at a cut is lost.
std::string wrapped(const std::string& paragraph, bool between_words) {
    std::string lines;
    for (size_t start = 0; start < paragraph.size();) {
        size_t end = start;
        while (end < paragraph.size() && end - start + char_bytes(paragraph, end) <= wrap_columns)
            end += char_bytes(paragraph, end);
        if (between_words && end < paragraph.size() && paragraph[end] != ' ') {
            size_t space = paragraph.rfind(' ', end - 1);
            if (space != std::string::npos && space > start) end = space;
        }
        size_t next = end < paragraph.size() && paragraph[end] == ' ' ? end + 1 : end;
        size_t line_end = end;
        while (line_end > start && paragraph[line_end - 1] == ' ') --line_end;
        lines += paragraph.substr(start, line_end - start) + "\r\n";
        start = next;
    }
    return lines;
}

std::string book_body(bool between_words) {
    std::string book;
    for (int copy = 0; copy < copies; ++copy)
        for (const char* paragraph : source_paragraphs) book += wrapped(cp949(paragraph), between_words);
    return book;
}

// A line ending in a full stop, `bytes` long: syllables, one space when the count is even.
std::string sentence_line(size_t bytes) {
    static const std::string syllables = cp949("그늘아래바람이불어오고나뭇잎이조용히흔들렸다");
    std::string line;
    size_t text_bytes = bytes - 1;
    if (text_bytes % 2 == 1) text_bytes -= 1;
    for (size_t k = 0; line.size() < text_bytes; k = (k + 2) % syllables.size()) line += syllables.substr(k, 2);
    if (line.size() + 1 < bytes) line.insert(4, " ");
    return line + ".";
}

struct LineEndCase {
    const char* what;
    bool between_words;  // the book's wrap
    const char* before;  // a line before it, if any
    size_t line_bytes;   // the line that ends in a full stop
    const char* next;    // the line after it
    bool joined;         // the vocabulary mode goes on into the next line
};

class WrapWidth : public testing::TestWithParam<LineEndCase> {};

TEST_P(WrapWidth, TellsAWrappedSentenceEndFromAParagraphEnd) {
    const LineEndCase& c = GetParam();
    std::string line = sentence_line(c.line_bytes);
    ASSERT_EQ(line.size(), c.line_bytes);
    std::string before = *c.before != 0 ? cp949(c.before) + "\r\n" : "";
    std::string book = book_body(c.between_words) + before + line + "\r\n" + cp949(c.next) + "\r\n";
    ConversionOptions options = plain_options();
    std::string by_rules = reflow(book, options);
    options.joints = JointMode::vocabulary;
    std::string by_vocabulary = reflow(book, options);
    std::string kept = line + "\r\n";
    EXPECT_NE(by_rules.find(kept), std::string::npos) << "the rules keep every line that ends a sentence";
    EXPECT_EQ(by_vocabulary.find(kept) == std::string::npos, c.joined);
    if (c.joined) {
        EXPECT_NE(by_vocabulary.find(line + " " + cp949(c.next)), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WrapWidth,
    testing::Values(
        // Cut anywhere: the next syllable would not have fitted after the space at the cut, and
        // sentences end nearby, so the wrap may well have landed on one.
        LineEndCase{"full_line_goes_on", false, "", wrap_columns - 1, "그리고 해가 졌다. 바람이 불었다.", true},
        LineEndCase{"full_line_after_a_sentence_end_goes_on", false, "해가 졌다. 바람이 불었고", wrap_columns - 1,
                    "그리고 해가 졌다.", true},
        LineEndCase{"line_with_room_ends_its_paragraph", false, "", wrap_columns - 5, "그리고 해가 졌다.", false},
        LineEndCase{"quotation_after_a_full_line_stands_apart", false, "", wrap_columns - 1, "\"어디 가니?\"", false},
        // No sentence ends inside the line, the line before or the next line: a wrap seldom lands
        // on a sentence end among sentences that long, so the full line ends its paragraph.
        LineEndCase{"full_line_among_long_sentences_ends_it", false, "마당의 감나무 아래에서 아이들은 오래도록",
                    wrap_columns - 1, "그리고 해가 졌다.", false},
        // ... unless a quotation is open, which no paragraph ends inside.
        LineEndCase{"full_line_inside_a_quotation_goes_on", false, "\"감나무 아래에서 아이들은 오래도록 놀았",
                    wrap_columns - 1, "그리고 해가 졌다.\"", true},
        // Cut between words: the next word would not have fitted, however short the line.
        LineEndCase{"word_that_did_not_fit_goes_on", true, "", wrap_columns - 9, "그러나아무도 오지 않았다. 비가 왔다.",
                    true},
        LineEndCase{"word_that_would_have_fitted_ends_it", true, "", wrap_columns - 9,
                    "그러나 아무도 오지 않았다. 비가 왔다.", false},
        LineEndCase{"word_that_did_not_fit_among_long_sentences_ends_it", true, "마당의 감나무 아래에서 아이들은",
                    wrap_columns - 9, "그러나아무도 오지 않았다.", false}),
    [](const testing::TestParamInfo<LineEndCase>& info) { return std::string(info.param.what); });

// A line that ends without a sentence end (here a comma) is joined by the rules; in a book wrapped
// at a width it still ends its paragraph when it ends short of the width, where no wrap cut it.
struct UnmarkedEndCase {
    const char* what;
    bool between_words;
    std::string line;
    bool kept;  // the vocabulary mode keeps the line break
};

class UnmarkedLineEnd : public testing::TestWithParam<UnmarkedEndCase> {};

TEST_P(UnmarkedLineEnd, EndsItsParagraphOnlyShortOfTheWidth) {
    const UnmarkedEndCase& c = GetParam();
    const std::string next = cp949("아버지가 담뱃대를 들고 마루로 나오셨다.");
    std::string book = book_body(c.between_words) + c.line + "\r\n" + next + "\r\n";
    ConversionOptions options = plain_options();
    std::string by_rules = reflow(book, options);
    options.joints = JointMode::vocabulary;
    std::string by_vocabulary = reflow(book, options);
    EXPECT_EQ(by_rules.find(c.line + "\r\n"), std::string::npos) << "the rules join a line ending in a comma";
    EXPECT_EQ(by_vocabulary.find(c.line + "\r\n" + next) != std::string::npos, c.kept) << utf8(by_vocabulary);
}

std::string comma_line(size_t bytes) {
    std::string line = sentence_line(bytes);
    line.back() = ',';
    return line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnmarkedLineEnd,
    testing::Values(UnmarkedEndCase{"short_line_cut_anywhere", false, cp949("그는 천천히 돌아서며,"), true},
                    UnmarkedEndCase{"short_line_cut_between_words", true, cp949("그는 천천히 돌아서며,"), true},
                    UnmarkedEndCase{"full_line_goes_on", false, comma_line(wrap_columns - 1), false}),
    [](const testing::TestParamInfo<UnmarkedEndCase>& info) { return std::string(info.param.what); });

std::string without_spaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

// Every paragraph comes back on a line of its own, whatever the spaces inside: the width joins
// no paragraph whose last line ends short of it.
TEST(WrapWidthBook, ComesBackAsItsParagraphs) {
    for (bool between_words : {false, true}) {
        std::string book = book_body(between_words);
        std::string expected;
        for (int copy = 0; copy < copies; ++copy)
            for (const char* paragraph : source_paragraphs) expected += cp949(paragraph) + "\r\n";
        ConversionOptions options = plain_options();
        options.joints = JointMode::vocabulary;
        EXPECT_EQ(utf8(without_spaces(reflow(book, options))), utf8(without_spaces(expected)))
            << (between_words ? "between words" : "anywhere");
    }
}

// Quotations and the 하고 after them, on one line in some books and apart in others. Where a book
// writes one on a line with its 하고, that one stays in its sentence whatever the book does elsewhere.
const char* const running_on =
    "\"어디 가니?\" 하고 어머니가 물었다.\n"
    "\"장에 가요.\" 하며 아들은 대문을 나섰다.\n"
    "아버지는 \"일찍 오너라.\" 하고 당부하였다.\n";
const char* const kept_apart_text =
    "\"어디 가니?\"\n"
    "하고 어머니가 물었다.\n"
    "\"장에 가요.\"\n"
    "하며 아들은 대문을 나섰다.\n"
    "\"일찍 오너라.\" 하고 당부하였다.\n";

struct QuotationCase {
    const char* what;
    const char* book;
    const char* last_line;  // as the vocabulary mode writes the book's last line
};

class Quotations : public testing::TestWithParam<QuotationCase> {};

TEST_P(Quotations, StayInTheirSentenceWhereTheBookSoWritesThem) {
    const QuotationCase& c = GetParam();
    ConversionOptions options = plain_options();
    EXPECT_NE(reflow_utf8(c.book, options).find("\"\r\n\r\n하고 당부하였다."), std::string::npos)
        << "the rules set every quotation that ends a sentence apart";
    options.joints = JointMode::vocabulary;
    std::string result = reflow_utf8(c.book, options);
    EXPECT_NE(result.find(c.last_line), std::string::npos) << result;
}

INSTANTIATE_TEST_SUITE_P(
    Books, Quotations,
    testing::Values(QuotationCase{"run_on", running_on, "아버지는 \"일찍 오너라.\" 하고 당부하였다.\r\n"},
                    QuotationCase{"kept_apart", kept_apart_text, "\n\"일찍 오너라.\" 하고 당부하였다.\r\n"}),
    [](const testing::TestParamInfo<QuotationCase>& info) { return std::string(info.param.what); });

}  // namespace

}  // namespace tessaline
