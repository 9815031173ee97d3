#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "engine/passes/long_sentence_pass.h"
#include "engine/passes/orthography_pass.h"
#include "engine/passes/output_delivery.h"
#include "engine/reflow.h"
#include "engine/vocabulary/lengths.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

const std::string crlf = "\r\n";
const std::string sentence_text = cp949("그는 천천히 걸어서 집으로 돌아왔다.");  // 35 bytes
const std::string pair = sentence_text + " " + sentence_text;
const std::string next_line = cp949("다음 문단은 조금 더 길게 이어진다.") + crlf;  // 36 bytes

std::string repeat(const std::string& piece, int count, const std::string& between = " ") {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i > 0 ? between : "") + piece;
    return text;
}

// A line of `before_lf` bytes (its CR included) with no full stop in it.
std::string filler(size_t before_lf) { return std::string(before_lf - 1, 'a') + crlf; }

class StringSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { text.append(bytes.begin(), bytes.end()); }
    std::string text;
};

// A line the book-vocabulary mode made `extra` bytes longer than the rules would have, ending at
// `position` of the output text.
struct NotedLine {
    size_t position;
    int32_t extra;
};

// Runs the pass over `text` as the line loop's output, handed over `piece` bytes at a time (all
// at once when 0), and returns what it passes on.
std::string run_pass(const std::string& text, const ConversionOptions& options, const std::vector<NotedLine>& noted,
                     size_t piece) {
    RuleBench bench(options);
    Conversion& cv = bench.cv();
    for (const NotedLine& line : noted) {
        expect_length_difference(cv.length_notes, line.extra, false);
        note_length_difference(cv.length_notes, static_cast<int64_t>(line.position));
    }
    OutputDelivery delivery;
    OrthographyPass next(delivery);
    LongSentencePass pass;
    for (size_t at = 0; piece > 0 && at < text.size(); at += piece) {
        cv.output_append(text.data() + at, std::min(piece, text.size() - at));
        pass.take(cv, false, next);
    }
    if (piece == 0) cv.output_append(text.data(), text.size());
    pass.take(cv, true, next);
    next.finish();
    StringSink sink;
    delivery.flush(sink);
    return sink.text;
}

// Runs the pass over `text` (CP949) as the line loop's output and returns what it passes on; an
// option is on only when its flag holds 1. The text handed over in small pieces gives the same.
std::string pass_over(const std::string& text, int split, int blank, const std::vector<NotedLine>& noted = {}) {
    ConversionOptions options = plain_options();
    options.split_long_sentences = split == 1;
    options.blank_after_long = blank == 1;
    std::string whole = run_pass(text, options, noted, 0);
    EXPECT_EQ(run_pass(text, options, noted, 7), whole) << "the text in pieces passed differently";
    return whole;
}

std::string split_only(const std::string& text) { return pass_over(text, 1, 0); }

// Two very long lines make the document one whose long paragraphs are split.
const std::string qualifying_prefix = filler(900) + filler(900);

// The lines the pass makes of `paragraph` inside a qualifying document, options as given.
std::string split_in_qualifying(const std::string& paragraph, int blank = 0) {
    std::string result = pass_over(qualifying_prefix + paragraph, 1, blank);
    std::string prefix = blank == 1 ? filler(900) + crlf + filler(900) + crlf : qualifying_prefix;
    EXPECT_EQ(result.compare(0, prefix.size(), prefix), 0) << "the two long lines before the paragraph changed";
    return result.substr(prefix.size());
}

// The same, when the book-vocabulary mode made the line that ends `joint` bytes into the
// paragraph `extra` bytes longer than the rules would have.
std::string split_with_noted_joint(const std::string& paragraph, size_t joint, int32_t extra) {
    std::string result = pass_over(qualifying_prefix + paragraph, 1, 0, {{qualifying_prefix.size() + joint, extra}});
    EXPECT_EQ(result.compare(0, qualifying_prefix.size(), qualifying_prefix), 0);
    return result.substr(qualifying_prefix.size());
}

std::string first_line(const std::string& text) { return text.substr(0, text.find(crlf)); }

// Long texts are compared by their first difference, shown as readable Korean.
testing::AssertionResult same_text(const std::string& actual, const std::string& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    size_t from = at > 40 ? at - 40 : 0;
    return testing::AssertionFailure() << "lengths " << actual.size() << " and " << expected.size()
                                       << ", first difference at byte " << at
                                       << "\n  actual:   " << utf8(actual.substr(from, 120))
                                       << "\n  expected: " << utf8(expected.substr(from, 120));
}

std::string hundred_thousand_bytes_of_short_lines() {
    std::string lines;
    while (lines.size() < 100000) lines += next_line;
    return lines;
}

TEST(VeryLongLines, ASingleOneIsNeverSplit) {
    std::string text = repeat(sentence_text, 30) + crlf + next_line;
    EXPECT_TRUE(same_text(split_only(text), text));
}

TEST(VeryLongLines, TwoOfThemAreSplitFromTheFirst) {
    std::string paragraph = repeat(sentence_text, 30) + crlf;
    EXPECT_TRUE(same_text(split_only(paragraph + paragraph), repeat(pair + crlf, 30, "")));
}

TEST(VeryLongLines, ALineOfExactlyEightHundredBytesCountsOnlyDuringThePass) {
    std::string sentences = repeat(sentence_text, 22);                       // 791 bytes
    std::string counted = sentences + " " + std::string(7, 'a') + crlf;      // 800 bytes before its LF
    std::string not_counted = sentences + " " + std::string(6, 'a') + crlf;  // 799 bytes before its LF
    ASSERT_EQ(counted.size(), 801u);
    std::string tail = filler(900) + filler(900);
    EXPECT_TRUE(same_text(split_only(counted + tail), repeat(pair + crlf, 11, "") + std::string(7, 'a') + crlf + tail));
    EXPECT_TRUE(same_text(split_only(not_counted + tail), not_counted + tail));
}

TEST(VeryLongLines, QuotedLinesArePreCountedButNotCountedDuringThePass) {
    std::string plain = repeat(sentence_text, 30) + crlf;
    std::string quoted = "\"" + repeat(sentence_text, 30) + crlf;
    std::string split = repeat(pair + crlf, 15, "");
    EXPECT_TRUE(same_text(split_only(quoted + plain), quoted + split));
    // Beyond the pre-counted bytes only the pass counts, and it passes quoted lines by.
    std::string start = hundred_thousand_bytes_of_short_lines();
    EXPECT_TRUE(same_text(split_only(start + quoted + plain + plain), start + quoted + plain + plain));
    EXPECT_TRUE(same_text(split_only(start + plain + plain + plain), start + plain + plain + split));
}

TEST(VeryLongLines, OnlyTheFirstHundredThousandBytesArePreCounted) {
    std::string short_lines = hundred_thousand_bytes_of_short_lines();
    std::string paragraph = repeat(sentence_text, 30) + crlf;
    std::string result = split_only(short_lines + paragraph + paragraph + paragraph);
    EXPECT_TRUE(same_text(result, short_lines + paragraph + paragraph + repeat(pair + crlf, 15, "")));
}

TEST(VeryLongLines, AParagraphOfSeveralHundredKilobytesIsSplitWhole) {
    std::string paragraph = repeat(sentence_text, 8000) + crlf;  // 288000 bytes
    EXPECT_TRUE(same_text(split_in_qualifying(paragraph), repeat(pair + crlf, 4000, "")));
}

TEST(SentenceSplitting, BreaksAfterEverySecondSentenceEndAndDropsTheSpaces) {
    std::string paragraph = repeat(sentence_text, 10, "   ") + crlf;
    EXPECT_TRUE(same_text(split_in_qualifying(paragraph), repeat(sentence_text + "   " + sentence_text + crlf, 5, "")));
}

TEST(SentenceSplitting, AShortParagraphIsNotSplit) {
    std::string paragraph = repeat(sentence_text, 8) + " " + std::string(9, 'a') + crlf;  // 299 bytes
    EXPECT_TRUE(same_text(split_in_qualifying(paragraph), paragraph));
    std::string longer = repeat(sentence_text, 8) + " " + std::string(10, 'a') + crlf;  // 300
    EXPECT_TRUE(same_text(split_in_qualifying(longer), repeat(pair + crlf, 4, "") + std::string(10, 'a') + crlf));
}

// The mode's spaces at joints change no paragraph's length as the pass takes it: a space it
// added leaves a paragraph short, a space it took away leaves one long.
TEST(SentenceSplitting, TakesTheLengthTheRulesGaveTheParagraph) {
    std::string long_one = repeat(sentence_text, 8) + " " + std::string(10, 'a') + crlf;  // 300 bytes
    EXPECT_TRUE(same_text(split_with_noted_joint(long_one, sentence_text.size(), 1), long_one));
    std::string short_one = repeat(sentence_text, 8) + " " + std::string(9, 'a') + crlf;  // 299
    EXPECT_TRUE(same_text(split_with_noted_joint(short_one, sentence_text.size(), -1),
                          repeat(pair + crlf, 4, "") + std::string(9, 'a') + crlf));
}

TEST(SentenceSplitting, WaitsForFiftyBytesBeforeBreaking) {
    std::string short_sentence = cp949("그랬다.");  // 7 bytes: the seventh end first makes 55
    std::string seven = repeat(short_sentence, 7);
    std::string paragraph = repeat(short_sentence, 40) + crlf;
    EXPECT_TRUE(
        same_text(split_in_qualifying(paragraph), repeat(seven + crlf, 5, "") + repeat(short_sentence, 5) + crlf));
}

TEST(SentenceSplitting, TheLastFullStopBeforeTheLineEndIsNoSentenceEnd) {
    std::string paragraph = repeat(sentence_text, 10) + " " + crlf;
    EXPECT_TRUE(same_text(split_in_qualifying(paragraph), repeat(pair + crlf, 4, "") + pair + " " + crlf));
}

struct EndCase {
    const char* name;
    const char* second_sentence;
    bool ends_a_sentence;
};

class SentenceEnds : public testing::TestWithParam<EndCase> {};

// The second sentence's full stop decides whether the first break falls after it or one later.
TEST_P(SentenceEnds, DecideWhereTheFirstBreakFalls) {
    std::string second = cp949(GetParam().second_sentence);
    std::string paragraph = sentence_text + " " + second + " " + repeat(sentence_text, 8) + crlf;
    std::string expected = sentence_text + " " + second + (GetParam().ends_a_sentence ? "" : " " + sentence_text);
    EXPECT_EQ(utf8(first_line(split_in_qualifying(paragraph))), utf8(expected));
}

INSTANTIATE_TEST_SUITE_P(Marks, SentenceEnds,
                         testing::Values(EndCase{"da", "그는 집으로 돌아왔다.", true},
                                         EndCase{"ga", "그는 결국 집으로 돌아왔는가.", true},
                                         EndCase{"rya", "누가 감히 그 길을 막으랴.", true},
                                         EndCase{"ra", "너는 어서 집으로 가라.", true},
                                         EndCase{"other_syllable", "그는 집으로 돌아왔어요.", false},
                                         EndCase{"doubled_stop", "그는 집으로 돌아왔다..", false},
                                         EndCase{"before_parenthesis", "그는 집으로 돌아왔다.)", false},
                                         EndCase{"before_bracket", "그는 집으로 돌아왔다.]", false},
                                         EndCase{"before_angle", "그는 집으로 돌아왔다.>", false},
                                         EndCase{"before_apostrophe", "그는 집으로 돌아왔다.'", false},
                                         EndCase{"before_double_quote", "그는 집으로 돌아왔다.\"", false}),
                         [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

struct HeadCase {
    const char* head;
    bool carries_on;
};

class ContinuationHeads : public testing::TestWithParam<HeadCase> {};

TEST_P(ContinuationHeads, KeepTheSentenceBeforeThemUnbroken) {
    std::string third = cp949(std::string(GetParam().head) + " 그는 다시 길을 떠났다.");
    std::string paragraph = pair + " " + third + " " + repeat(sentence_text, 8) + crlf;
    std::string expected = GetParam().carries_on ? pair + " " + third : pair;
    EXPECT_EQ(utf8(first_line(split_in_qualifying(paragraph))), utf8(expected));
}

INSTANTIATE_TEST_SUITE_P(Words, ContinuationHeads,
                         testing::Values(HeadCase{"그리고", true}, HeadCase{"그러나", true}, HeadCase{"그렇지만", true},
                                         HeadCase{"그래서", true}, HeadCase{"그런데", true}, HeadCase{"또", true},
                                         HeadCase{"따라서", true}, HeadCase{"요컨대", true}, HeadCase{"다만", true},
                                         HeadCase{"더구나", true}, HeadCase{"왜냐하면", true}, HeadCase{"그래도", true},
                                         HeadCase{"하물며", true}, HeadCase{"혹은", true}, HeadCase{"하지만", true},
                                         HeadCase{"아니,", true}, HeadCase{"아니야", false},
                                         HeadCase{"그리하여", false}, HeadCase{"그", false}));

TEST(SplitSegments, AnEmptyLineFollowsASegmentOfMoreThanThreeHundredBytes) {
    std::string long_sentence = cp949("그는 " + repeat("아주", 40) + " 먼 길을 걸어서 집으로 돌아왔다.");
    std::string four = repeat(long_sentence, 4) + crlf;
    std::string first_two = repeat(long_sentence, 2);
    std::string last_two = repeat(long_sentence, 2) + crlf;
    ASSERT_GT(first_two.size(), 300u);
    EXPECT_TRUE(same_text(split_in_qualifying(four, 1), first_two + crlf + crlf + last_two));
    EXPECT_TRUE(same_text(split_in_qualifying(four, 0), first_two + crlf + last_two));
    std::string quoted = cp949("“") + four;
    EXPECT_TRUE(same_text(split_in_qualifying(quoted, 1), cp949("“") + first_two + crlf + last_two));
}

const std::string long_paragraph = repeat(sentence_text, 9) + crlf;  // 325 bytes

// Short paragraphs are passed over in runs; the first long one after a run is still split and
// followed by its empty line, as it is alone.
TEST(ShortParagraphRuns, EndAtTheFirstLongParagraph) {
    std::string shorts;
    // The first is long enough for the empty line after the long lines before it.
    for (size_t before_lf = 40; before_lf < 298 + 40; before_lf += 7) shorts += filler(before_lf % 298 + 1);
    std::string exactly = repeat(sentence_text, 8) + " " + std::string(10, 'a') + crlf;
    ASSERT_EQ(exactly.size(), 300u);
    for (const std::string& paragraph : {exactly, long_paragraph}) {
        for (int blank : {0, 1}) {
            std::string alone = split_in_qualifying(paragraph + next_line, blank);
            EXPECT_TRUE(same_text(split_in_qualifying(shorts + paragraph + next_line, blank), shorts + alone));
            EXPECT_TRUE(
                same_text(split_in_qualifying(shorts + shorts + paragraph + shorts + paragraph + next_line, blank),
                          shorts + shorts + split_in_qualifying(paragraph + shorts, blank) +
                              split_in_qualifying(paragraph + next_line, blank)));
        }
    }
}

std::string blank_only(const std::string& text) { return pass_over(text, 0, 1); }

TEST(BlankAfterLong, FollowsALongParagraphBeforeALongerLine) {
    EXPECT_TRUE(same_text(blank_only(long_paragraph + next_line), long_paragraph + crlf + next_line));
}

TEST(BlankAfterLong, NeedsTheOption) {
    EXPECT_TRUE(same_text(pass_over(long_paragraph + next_line, 1, 0), long_paragraph + next_line));
    EXPECT_TRUE(same_text(pass_over(long_paragraph + next_line, 1, 2), long_paragraph + next_line));
}

TEST(BlankAfterLong, NeedsMoreThanThreeHundredBytes) {
    std::string exactly = repeat(sentence_text, 8) + " " + std::string(10, 'a') + crlf;
    ASSERT_EQ(exactly.size(), 300u);
    EXPECT_TRUE(same_text(blank_only(exactly + next_line), exactly + next_line));
    std::string longer = repeat(sentence_text, 8) + " " + std::string(11, 'a') + crlf;
    EXPECT_TRUE(same_text(blank_only(longer + next_line), longer + crlf + next_line));
}

TEST(BlankAfterLong, IsNotAddedWhenTheNextLineIsAlreadyEmpty) {
    EXPECT_TRUE(same_text(blank_only(long_paragraph + crlf + next_line), long_paragraph + crlf + next_line));
}

TEST(BlankAfterLong, IsNotAddedAfterTheLastParagraph) {
    EXPECT_TRUE(same_text(blank_only(long_paragraph), long_paragraph));
    std::string unended = next_line + repeat(sentence_text, 9);
    EXPECT_TRUE(same_text(blank_only(unended), unended));
}

TEST(BlankAfterLong, NeedsANextLineOfMoreThanThirtyBytes) {
    std::string thirty = std::string(28, 'b') + crlf;
    std::string thirty_one = std::string(29, 'b') + crlf;
    EXPECT_TRUE(same_text(blank_only(long_paragraph + thirty), long_paragraph + thirty));
    EXPECT_TRUE(same_text(blank_only(long_paragraph + thirty_one), long_paragraph + crlf + thirty_one));
    // A last line without a line end counts up to the end of the text.
    EXPECT_TRUE(same_text(blank_only(long_paragraph + std::string(30, 'b')), long_paragraph + std::string(30, 'b')));
    EXPECT_TRUE(
        same_text(blank_only(long_paragraph + std::string(31, 'b')), long_paragraph + crlf + std::string(31, 'b')));
}

TEST(BlankAfterLong, IsNotAddedAfterAQuotedParagraph) {
    for (std::string quote : {std::string("\""), std::string("'"), std::string("["), cp949("“")}) {
        std::string text = quote + long_paragraph + next_line;
        EXPECT_TRUE(same_text(blank_only(text), text)) << utf8(quote);
    }
}

TEST(BlankAfterLong, FollowsTheRestOfASplitParagraphOnlyWhenTheRestIsLong) {
    std::string paragraph = repeat(sentence_text, 12) + crlf;
    EXPECT_TRUE(same_text(split_in_qualifying(paragraph + next_line, 1), repeat(pair + crlf, 6, "") + next_line));
    std::string long_sentence = cp949("그는 " + repeat("아주", 40) + " 먼 길을 걸어서 집으로 돌아왔다.");
    std::string first_two = repeat(long_sentence, 2);
    std::string last_two = repeat(long_sentence, 2) + crlf;
    EXPECT_TRUE(same_text(split_in_qualifying(first_two + " " + last_two + next_line, 1),
                          first_two + crlf + crlf + last_two + crlf + next_line));
}

}  // namespace

}  // namespace tessaline
