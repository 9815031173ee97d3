#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/rules/dialogue_breaks.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

// What the step sees besides the line: the output so far and the source after the line.
struct Surroundings {
    std::string output;
    std::string source_after;  // the source text after the line's LF; empty for a last line
    bool last_line = false;    // the line ends at the source's NUL, not at a LF
    int32_t bracket_openers = 0;
};

// Runs the step alone on `line` (CP949, with its CR LF) and returns the new line.
std::string run_step(const std::string& line, const Surroundings& around) {
    RuleBench bench;
    Conversion& cv = bench.cv();
    cv.profile.bracket_openers = around.bracket_openers;
    std::string source = line.substr(0, line.size() - 2);
    cv.place.line_end = static_cast<int64_t>(source.size());
    if (!around.last_line) source += "\n" + around.source_after;
    bench.set_source(source);
    bench.set_output(around.output);
    bench.set_line(line);
    insert_dialogue_breaks(cv);
    EXPECT_EQ(cv.line.bytes()[cv.line.length], 0) << "line not NUL-terminated at its length";
    return bench.line();
}

// The rules written out directly: every search walks its whole range and every break rebuilds
// the line. The engine's step must give the same bytes for every input.
class ReferenceScan {
public:
    ReferenceScan(std::string line, const Surroundings& around, std::string source, int64_t line_end)
        : line_(std::move(line)), around_(around), source_(std::move(source)), line_end_(line_end),
          brackets_(around.bracket_openers > 20) {}

    std::string run() {
        int64_t i = 2;
        while (length() >= 5 && i < length() - 3) i = examine(i);
        return line_;
    }

private:
    int64_t length() const { return static_cast<int64_t>(line_.size()); }
    unsigned char c(int64_t x) const { return x < 0 || x >= length() ? 0 : static_cast<unsigned char>(line_[x]); }
    unsigned char out(int64_t x) const {
        const std::string& o = around_.output;
        return x < 0 || x >= static_cast<int64_t>(o.size()) ? 0 : static_cast<unsigned char>(o[x]);
    }
    unsigned char src(int64_t x) const {
        return x < 0 || x >= static_cast<int64_t>(source_.size()) ? 0 : static_cast<unsigned char>(source_[x]);
    }
    static bool end(unsigned char b) { return b == '.' || b == '!' || b == '?'; }
    static bool brk(unsigned char b) { return b == ' ' || b == '\r' || b == '\n' || b == 0; }

    int64_t examine(int64_t i) {
        if (c(i - 1) == ' ') return rule_b(i);
        int64_t e = -1;
        if (c(i) == '"') e = i;
        else if (c(i - 2) != ' ' && c(i - 1) == 0xA1 && c(i) == 0xB1 && i < length() - 4) e = i - 1;
        else if (c(i) == ']' && brackets_) e = i;
        if (e >= 0 && c(i + 1) == ' ') return rule_a(i, c(e - 1));
        return rule_c(i);
    }

    int64_t rule_a(int64_t i, unsigned char pre) {
        bool found = false;
        for (int64_t k = i - 1; k >= 3 && !found; --k) {
            bool mark = c(k) == '"' || c(k) == '[' || (c(k) == 0xA1 && c(k + 1) == 0xB0);
            found = mark && c(k - 1) == ' ' && !end(c(k - 2)) && !end(pre);
        }
        int64_t out_len = static_cast<int64_t>(around_.output.size());
        bool indented = c(0) == ' ' && c(1) == ' ';
        if (!found && !indented && out_len >= 50) {
            for (int64_t p = out_len - 1; p >= out_len - 49 && !found; --p) {
                bool mark = out(p) == '"' || out(p) == '[' || (out(p) == 0xA1 && out(p + 1) == 0xB0);
                found = mark && out(p - 1) == ' ' && !end(out(p - 2)) && !end(pre);
            }
        }
        if (found) return i + 1;
        int64_t j = i + 2;
        while (j < length() && c(j) == ' ') ++j;
        line_ = line_.substr(0, static_cast<size_t>(i + 1)) + "\r\n\r\n" + line_.substr(static_cast<size_t>(j));
        return i + 7;
    }

    int64_t rule_b(int64_t i) {
        bool trigger = (c(i) == '"' && c(i + 1) != ' ') || (c(i) == 0xA1 && c(i + 1) == 0xB0) ||
                       (c(i) == '[' && brackets_ && c(i + 1) != ' ');
        if (!trigger) return i + 1;
        bool make = true;
        int64_t k = -1;
        for (int64_t x = i + 2; x <= length() - 1 && k < 0; ++x)
            if (c(x) == '"' || c(x) == ']' || (c(x) == 0xA1 && c(x + 1) == 0xB1)) k = x;
        if (k >= 0) {
            unsigned char after = c(k) == 0xA1 ? c(k + 2) : c(k + 1);
            make = brk(after) && (end(c(i - 2)) || end(c(k - 1)));
        } else {
            for (int64_t x = line_end_ + 1; x <= line_end_ + 49 && x < static_cast<int64_t>(source_.size()); ++x) {
                if (src(x) == '"' || src(x) == ']' || (src(x) == 0xA1 && src(x + 1) == 0xB1)) {
                    unsigned char after = src(x) == 0xA1 ? src(x + 2) : src(x + 1);
                    make = brk(after) && (end(c(i - 2)) || end(src(x - 1)));
                    break;
                }
            }
        }
        if (!make) return i + 1;
        line_ = line_.substr(0, static_cast<size_t>(i)) + "\r\n\r\n" + line_.substr(static_cast<size_t>(i));
        return i + 5;
    }

    int64_t rule_c(int64_t i) {
        bool closing =
            c(i) == '"' || (c(i - 2) != ' ' && c(i - 1) == 0xA1 && c(i) == 0xB1) || (c(i) == ']' && brackets_);
        bool opening = c(i + 1) == '"' || (c(i + 1) == 0xA1 && c(i + 2) == 0xB0) || (c(i + 1) == '[' && brackets_);
        if (!closing || !opening || c(i + 2) == ' ') return i + 1;
        line_ = line_.substr(0, static_cast<size_t>(i + 1)) + "\r\n\r\n" + line_.substr(static_cast<size_t>(i + 1));
        return i + 5;
    }

    std::string line_;
    const Surroundings& around_;
    std::string source_;
    int64_t line_end_;
    bool brackets_;
};

std::string run_reference(const std::string& line, const Surroundings& around) {
    std::string source = line.substr(0, line.size() - 2);
    int64_t line_end = static_cast<int64_t>(source.size());
    if (!around.last_line) source += "\n" + around.source_after;
    return ReferenceScan(line, around, source, line_end).run();
}

// Pieces that make up generated lines: every mark, the bytes beside them that the rules test,
// and stray lead and trail bytes that put marks across character boundaries.
const std::vector<std::string> text_pieces = {
    " ", " ",        " ",        "  ",       "\"", "\"", "“",    "“",    "”",    "”",  "[", "]", ".", "!",
    "?", "\xB0\xA1", "\xB3\xAA", "\xB4\xD9", "a",  ",",  "\xA1", "\xB0", "\xB1", "\r", "‘", "’", "'",
};

std::string generated_text(std::mt19937& rng, int pieces, const std::vector<std::string>& alphabet) {
    std::string text;
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    for (int k = 0; k < pieces; ++k) text += alphabet[pick(rng)];
    return text;
}

std::string printable(const std::string& bytes) {
    std::string shown;
    for (unsigned char b : bytes) {
        if (b >= 0x20 && b < 0x7F) {
            shown += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            shown += hex;
        }
    }
    return shown;
}

void expect_same_as_reference(const std::string& line, const Surroundings& around) {
    std::string want = run_reference(line, around);
    std::string got = run_step(line, around);
    ASSERT_EQ(printable(got), printable(want))
        << "line " << printable(line) << "\noutput " << printable(around.output) << "\nahead "
        << printable(around.source_after) << "\nbrackets " << around.bracket_openers;
}

TEST(DialogueBreaksTest, GivesTheSameBytesAsTheRulesWrittenOutForGeneratedLines) {
    std::mt19937 rng(20240611);
    std::vector<std::string> with_lines = text_pieces;
    with_lines.push_back("\r\n");
    std::uniform_int_distribution<int> line_pieces(0, 60);
    std::uniform_int_distribution<int> output_pieces(0, 70);
    std::uniform_int_distribution<int> ahead_pieces(0, 40);
    std::uniform_int_distribution<int> coin(0, 3);
    for (int round = 0; round < 40000; ++round) {
        Surroundings around;
        around.output = generated_text(rng, output_pieces(rng), with_lines);
        around.source_after = generated_text(rng, ahead_pieces(rng), with_lines);
        around.last_line = coin(rng) == 0;
        around.bracket_openers = coin(rng) < 2 ? 21 : 20;
        std::string start = coin(rng) == 0 ? "  " : "";
        // A last line ending in a lone CR keeps its NUL inside the recorded length.
        std::string end = "\r\n";
        if (around.last_line && coin(rng) == 0) end[1] = '\0';
        expect_same_as_reference(start + generated_text(rng, line_pieces(rng), text_pieces) + end, around);
        if (HasFatalFailure()) return;
    }
}

TEST(DialogueBreaksTest, GivesTheSameBytesAsTheRulesWrittenOutForLongLinesOfMarks) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coin(0, 1);
    for (int round = 0; round < 300; ++round) {
        Surroundings around;
        around.output = generated_text(rng, 40, text_pieces);
        around.source_after = generated_text(rng, 30, text_pieces);
        around.bracket_openers = coin(rng) == 0 ? 21 : 0;
        expect_same_as_reference(generated_text(rng, 2000, text_pieces) + "\r\n", around);
        if (HasFatalFailure()) return;
    }
}

// A line in UTF-8, run alone with an empty output and nothing after it.
std::string step_utf8(const std::string& line, const Surroundings& around = {}) {
    return utf8(run_step(cp949(line + "\r\n"), around));
}

TEST(DialogueBreaksTest, ShortLinesAreNeverChanged) {
    EXPECT_EQ(run_step("\"\"\r\n", {}), "\"\"\r\n");
    EXPECT_EQ(run_step("a\" \r\n", {}), "a\" \r\n");
    EXPECT_EQ(run_step("\r\n", {}), "\r\n");
}

TEST(DialogueBreaksTest, SourceLookAheadCoversFortyNineBytes) {
    // The opening mark does not follow a sentence end: the break before it goes in when no closing
    // mark starts within 49 bytes ahead, or when the one found ends a sentence before a space.
    std::string line = "그는 “함께 가자고";
    std::string filler(48, 'a');
    Surroundings at_49;
    at_49.source_after = filler + "\" b";
    Surroundings at_50;
    at_50.source_after = filler + "a\" b";
    Surroundings curly_at_49;
    curly_at_49.source_after = cp949(filler + "” b");
    EXPECT_EQ(step_utf8(line, at_49), "그는 “함께 가자고\r\n");
    EXPECT_EQ(step_utf8(line, at_50), "그는 \r\n\r\n“함께 가자고\r\n");
    EXPECT_EQ(step_utf8(line, curly_at_49), "그는 “함께 가자고\r\n");
    Surroundings after_end;
    after_end.source_after = cp949("했다.” 그는");
    EXPECT_EQ(step_utf8(line, after_end), "그는 \r\n\r\n“함께 가자고\r\n");
    Surroundings before_text;
    before_text.source_after = cp949("했다.”고");
    EXPECT_EQ(step_utf8(line, before_text), "그는 “함께 가자고\r\n");
    Surroundings last_line;
    last_line.last_line = true;
    EXPECT_EQ(step_utf8(line, last_line), "그는 \r\n\r\n“함께 가자고\r\n");
}

TEST(DialogueBreaksTest, OutputSearchCoversTheLastFortyNineBytes) {
    std::string opener = cp949("그는 “가자");  // the opening mark at byte 5, after a space and a letter
    std::string line = "“가자” 그는 돌아섰다.";
    Surroundings inside;
    inside.output = opener + std::string(41, 'a') + "\r\n";
    ASSERT_EQ(inside.output.size(), 54u);  // positions 5 to 53 are searched
    Surroundings outside;
    outside.output = opener + std::string(42, 'a') + "\r\n";
    Surroundings too_short;
    too_short.output = std::string(35, 'a') + opener + "\r\n";
    ASSERT_EQ(too_short.output.size(), 48u);
    Surroundings after_end;
    after_end.output = cp949("끝. “가자") + std::string(40, 'a') + "\r\n";
    EXPECT_EQ(step_utf8(line, inside), "“가자” 그는 돌아섰다.\r\n");
    EXPECT_EQ(step_utf8(line, outside), "“가자”\r\n\r\n그는 돌아섰다.\r\n");
    EXPECT_EQ(step_utf8(line, too_short), "“가자”\r\n\r\n그는 돌아섰다.\r\n");
    EXPECT_EQ(step_utf8(line, after_end), "“가자”\r\n\r\n그는 돌아섰다.\r\n");
    EXPECT_EQ(step_utf8("“가자.” 그는 돌아섰다.", inside), "“가자.”\r\n\r\n그는 돌아섰다.\r\n");
}

TEST(DialogueBreaksTest, ACurlyClosingQuoteTooNearTheLineEndStaysPut) {
    EXPECT_EQ(step_utf8("“가자” "), "“가자” \r\n");
    EXPECT_EQ(step_utf8("“가자”  "), "“가자”\r\n\r\n\r\n");
}

struct EngineCase {
    const char* name;
    std::string source;
    std::string expected;
};

void check_engine_cases(const std::vector<EngineCase>& cases, const std::string& trailer = "",
                        const std::string& trailer_out = "") {
    for (const EngineCase& c : cases)
        EXPECT_EQ(reflow_utf8(c.source + trailer, plain_options()), c.expected + trailer_out) << c.name;
}

// A line whose quotation stays inside its sentence: its opening mark after a space stands within
// the last 49 output bytes when the next line is examined.
const std::string embedding_line = "그날 저녁 그는 문간에 서서 “가자” 하고 조용히 말했다.";
// Its quotation lies more than 49 bytes before its end.
const std::string early_quote_line = "그는 “가자” 하고 말한 뒤에 한참 동안 아무 말도 없이 창밖만 바라보았다.";

TEST(DialogueBreaksTest, AQuotationEndingASentenceGetsItsOwnParagraph) {
    check_engine_cases({
        {"curly", "“가자.” 그는 돌아섰다.", "“가자.”\r\n\r\n그는 돌아섰다.\r\n"},
        {"straight", "\"가자.\" 그는 돌아섰다.", "\"가자.\"\r\n\r\n그는 돌아섰다.\r\n"},
        {"several spaces after the mark", "“가자.”   그는 돌아섰다.", "“가자.”\r\n\r\n그는 돌아섰다.\r\n"},
        {"even after an embedding line", embedding_line + "\n“가자!” 그는 돌아섰다.",
         embedding_line + "\r\n\r\n“가자!”\r\n\r\n그는 돌아섰다.\r\n"},
        {"in the middle of narration", "그는 “가자.” 하고 말했다.", "그는 \r\n\r\n“가자.”\r\n\r\n하고 말했다.\r\n"},
        {"second of two quotations", "그는 “가자” 하고 “가자.” 말했다.",
         "그는 “가자” 하고 \r\n\r\n“가자.”\r\n\r\n말했다.\r\n"},
        {"second of two straight quotations", "그는 \"가자\" 하고 \"가자.\" 말했다.",
         "그는 \"가자\" 하고 \r\n\r\n\"가자.\"\r\n\r\n말했다.\r\n"},
    });
}

TEST(DialogueBreaksTest, AQuotationWithoutASentenceEndStaysInsideItsSentence) {
    check_engine_cases({
        {"alone in a short output", "“가자” 그는 돌아섰다.", "“가자”\r\n\r\n그는 돌아섰다.\r\n"},
        {"after an opening mark in the last output bytes", embedding_line + "\n“가자” 그는 돌아섰다.",
         embedding_line + "\r\n\r\n“가자” 그는 돌아섰다.\r\n"},
        {"after an opening mark too far back", early_quote_line + "\n“가자” 그는 돌아섰다.",
         early_quote_line + "\r\n\r\n“가자”\r\n\r\n그는 돌아섰다.\r\n"},
        {"after a two-space indentation", embedding_line + "\n   “가자” 그는 돌아섰다.",
         embedding_line + "\r\n  “가자”\r\n\r\n그는 돌아섰다.\r\n"},
        {"opened after a space in the line", "그는 “가자” 하고 말했다.", "그는 “가자” 하고 말했다.\r\n"},
        {"straight, opened after a space", "그는 \"가자\" 하고 말했다.", "그는 \"가자\" 하고 말했다.\r\n"},
    });
}

TEST(DialogueBreaksTest, TouchingQuotationsAreSetApart) {
    check_engine_cases({
        {"curly", "“가자.”“싫어.”", "“가자.”\r\n\r\n“싫어.”\r\n"},
        {"straight", "\"가자.\"\"싫어.\"", "\"가자.\"\r\n\r\n\"싫어.\"\r\n"},
        {"mixed", "“가자.”\"싫어.\"", "“가자.”\r\n\r\n\"싫어.\"\r\n"},
    });
}

TEST(DialogueBreaksTest, AnOpeningMarkLooksForItsClosingMarkInTheNextLine) {
    check_engine_cases({
        {"closing mark without a sentence end ahead", "그가 “내일은 꼭 함께\n떠나자” 하고 말했다.",
         "그가 “내일은 꼭 함께 떠나자”\r\n\r\n하고 말했다.\r\n"},
        {"closing mark beyond 49 bytes", "그가 “내일은 꼭 함께\n떠나자고 오래도록 창밖의 비를 바라보며 조용히 말했다.”",
         "그가 \r\n\r\n“내일은 꼭 함께 떠나자고 오래도록 창밖의 비를 바라보며 조용히 말했다.”\r\n"},
    });
}

// More than twenty places where a space is followed by "[" and a letter, even leaving out the
// last ten bytes that the profile never reaches: brackets count as quotes.
std::string bracket_line() {
    std::string line = "목록";
    for (int k = 0; k < 24; ++k) line += " [가]";
    return line + ".";
}

TEST(DialogueBreaksTest, BracketsCountAsQuotesOnlyInBracketHeavyDocuments) {
    std::string trailer = "\n";
    trailer += bracket_line();
    std::string trailer_out = bracket_line() + "\r\n";
    check_engine_cases(
        {
            {"touching brackets, closing bracket before text", "[알림][공지] 내일 쉰다.",
             "[알림]\r\n\r\n[공지]\r\n\r\n내일 쉰다.\r\n"},
            {"bracket after a sentence end", "그는 말했다. [알림] 내일 쉰다.",
             "그는 말했다. \r\n\r\n[알림]\r\n\r\n내일 쉰다.\r\n"},
        },
        trailer, trailer_out);
    check_engine_cases({
        {"brackets off, touching", "[알림][공지] 내일 쉰다.", "[알림][공지] 내일 쉰다.\r\n"},
        {"brackets off, after a sentence end", "그는 말했다. [알림] 내일 쉰다.", "그는 말했다. [알림] 내일 쉰다.\r\n"},
    });
    EXPECT_EQ(reflow_utf8(bracket_line(), plain_options()), bracket_line() + "\r\n");
}

// A hard-wrapped page where quotations share lines with narration and run across the wraps.
const std::string dialogue_page =
    "비가 그친 저녁이었다. 민수는 우산을 접고 마당으로 나섰다. “어디\n"
    "가니?” 부엌에서 어머니가 물었다. “잠깐 바람 좀 쐬고 올게요.” 민수는\n"
    "대답하고 대문을 열었다. 골목은 어둡고 조용했다. “민수야!” 누군가\n"
    "그를 불렀다. 돌아보니 영희가 서 있었다. “이 밤에 어디 가?” “그냥\n"
    "걷는 거야.” 영희는 잠시 망설이더니 그의 옆으로 다가왔다. “같이\n"
    "가.” 두 사람은 말없이 골목을 걸었다. 영희가 “춥다” 하고 중얼거리자\n"
    "민수는 겉옷을 벗어 주었다.\n"
    "“고마워.”“뭘.” 그들은 다시 걸었다.\n";

std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> found;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find("\r\n\r\n", from);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(from, end - from);
        while (!paragraph.empty() && (paragraph.back() == ' ' || paragraph.back() == '\r' || paragraph.back() == '\n'))
            paragraph.pop_back();
        if (!paragraph.empty()) found.push_back(paragraph);
        from = end + 4;
    }
    return found;
}

TEST(DialogueBreaksTest, EveryStandAloneQuotationOfAPageGetsItsOwnParagraph) {
    std::string want =
        "비가 그친 저녁이었다. 민수는 우산을 접고 마당으로 나섰다. \r\n\r\n"
        "“어디가니?”\r\n\r\n"
        "부엌에서 어머니가 물었다. \r\n\r\n"
        "“잠깐 바람 좀 쐬고 올게요.”\r\n\r\n"
        "민수는 대답하고 대문을 열었다. 골목은 어둡고 조용했다. \r\n\r\n"
        "“민수야!”\r\n\r\n"
        "누군가 그를 불렀다. 돌아보니 영희가 서 있었다. \r\n\r\n"
        "“이 밤에 어디 가?”\r\n\r\n"
        "“그냥걷는 거야.”\r\n\r\n"
        "영희는 잠시 망설이더니 그의 옆으로 다가왔다. \r\n\r\n"
        "“같이가.”\r\n\r\n"
        "두 사람은 말없이 골목을 걸었다. 영희가 “춥다” 하고 중얼거리자 민수는 겉옷을 벗어 주었다.\r\n\r\n"
        "“고마워.”\r\n\r\n"
        "“뭘.”\r\n\r\n"
        "그들은 다시 걸었다.\r\n";
    EXPECT_EQ(reflow_utf8(dialogue_page, plain_options()), want);

    // With the window's options too, a paragraph holding a quotation that ends a sentence is
    // that quotation alone; the one that ends without a sentence end stays in its sentence.
    int alone = 0;
    for (const std::string& paragraph : paragraphs(reflow_utf8(dialogue_page, window_defaults()))) {
        bool ends_sentence = paragraph.find(".”") != std::string::npos || paragraph.find("?”") != std::string::npos ||
                             paragraph.find("!”") != std::string::npos;
        if (paragraph.find("“춥다”") != std::string::npos) {
            EXPECT_NE(paragraph.find("중얼거리자"), std::string::npos) << paragraph;
        }
        if (!ends_sentence) continue;
        ++alone;
        EXPECT_EQ(paragraph.rfind("“", 0), 0u) << paragraph;
        EXPECT_EQ(paragraph.find("“", 1), std::string::npos) << paragraph;
        EXPECT_EQ(paragraph.size() - paragraph.rfind("”"), std::string("”").size()) << paragraph;
    }
    EXPECT_EQ(alone, 8);
}

}  // namespace

}  // namespace tessaline
