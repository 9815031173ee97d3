#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/rules/dialogue_breaks.h"
#include "engine/rules/hanja_removal.h"
#include "engine/rules/join_decision.h"
#include "engine/rules/joint_review.h"
#include "engine/rules/joint_spacing.h"
#include "engine/rules/space_squeeze.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

// Takes the front of a grown line as the line loop does: through the squeezing of spaces and
// Hanja removal into the output text.
class FrontCollector final : public GrownLineFront {
public:
    explicit FrontCollector(Conversion& cv) : cv_(cv) {}

    void take(unsigned char* bytes, int64_t from, int64_t to) override {
        ++pieces;
        to = squeeze_line_piece(bytes, from, to);
        if (cv_.options.remove_hanja) to = remove_hanja_in_piece(cv_, bytes, from, to);
        cv_.output_append(bytes + from, static_cast<size_t>(to - from));
    }

    int pieces = 0;

private:
    Conversion& cv_;
};

// A long line of quotations, narration, glosses and spaces, in CP949: mostly touching
// quotations, which grow the line by a blank line each.
std::string long_line(uint32_t seed, size_t bytes) {
    static const std::vector<std::string> units = {
        cp949("\"가\""),         cp949("\"나다\""), cp949("“말”"), cp949("\"A\""), cp949("\"\""),
        cp949("\"한자(漢字)\""), cp949(" "),        cp949("   "),  cp949("그는 "), cp949("abc"),
        cp949("(괄호)"),         cp949("“"),        cp949("” "),   cp949("다. "),  cp949("\"가(ab)")};
    // Glosses and spaces come often enough to lie near where a piece ends, and seldom enough for
    // the quiet stretches the front waits for.
    std::discrete_distribution<size_t> pick({30, 20, 20, 10, 10, 12, 4, 3, 3, 3, 2, 1, 1, 1, 8});
    std::mt19937 random(seed);
    // The start is read by the join, as it was before the squeezing of spaces: "제 목:" starts a
    // board header, kept.
    std::string line = cp949("제  목:\"가\"");
    while (line.size() < bytes) line += units[pick(random)];
    return line;
}

// Where two long texts first differ, or npos: a failure names a place, not megabytes.
size_t first_difference(const std::string& a, const std::string& b) {
    auto [in_a, in_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return in_a == a.end() && in_b == b.end() ? std::string::npos : static_cast<size_t>(in_a - a.begin());
}

struct LineResult {
    std::string output;     // the output text with the whole line
    int64_t held_line = 0;  // bytes of the line held once the dialogue breaks are in
    int pieces = 0;
};

// The line through every rule the line loop applies from its dialogue breaks on, the line's front
// sent on as it grows or not, with the next line after it in the source.
LineResult convert_line(const std::string& line, const std::string& ending, const ConversionOptions& options,
                        bool send_front) {
    RuleBench bench(options);
    Conversion& cv = bench.cv();
    std::string text = line + ending;
    cv.place.line_end = static_cast<int64_t>(text.size());
    bench.set_source(text + "\n" + cp949("것이다. 그리고 갔다.\r\n"));
    bench.set_output(cp949("앞의 문단이다.\r\n\r\n"));
    bench.set_line(text + "\r\n");
    FrontCollector front(cv);
    int64_t sent = insert_dialogue_breaks(cv, send_front ? &front : nullptr);
    LineResult result;
    result.held_line = cv.line.length;
    result.pieces = front.pieces;
    if (decide_line_end(cv)) {
        decide_joint_space(cv);
        review_joint_space(cv);
    }
    squeeze_spaces(cv.line, sent);
    if (options.remove_hanja) remove_hanja_glosses(cv, sent);
    cv.output_append(cv.line.bytes() + sent, static_cast<size_t>(cv.line.length - sent));
    result.output = bench.output();
    return result;
}

struct FrontCase {
    const char* name;
    const char* ending;  // how the line ends, deciding its joint
    bool remove_hanja;
    bool mark_joins;
};

class GrownLineFrontTest : public testing::TestWithParam<FrontCase> {};

TEST_P(GrownLineFrontTest, SendingTheFrontGivesTheWholeLinesResultWhileHoldingLittle) {
    ConversionOptions options = plain_options();
    options.remove_hanja = GetParam().remove_hanja;
    options.mark_joins = GetParam().mark_joins;
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        std::string line = long_line(seed, size_t{900} << 10);
        std::string ending = cp949(GetParam().ending);
        LineResult whole = convert_line(line, ending, options, false);
        LineResult sent = convert_line(line, ending, options, true);
        ASSERT_EQ(first_difference(sent.output, whole.output), std::string::npos) << "seed " << seed;
        EXPECT_GE(sent.pieces, 1) << "seed " << seed;
        EXPECT_LT(sent.held_line * 2, whole.held_line) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GrownLineFrontTest,
                         testing::Values(FrontCase{"joined_with_a_space", " 그는 말을 했", false, false},
                                         FrontCase{"joined_after_a_particle", " 사람들이", true, false},
                                         FrontCase{"ending_in_a_latin_word", " 그는 Seoul", false, true},
                                         FrontCase{"kept_after_a_sentence_end", " 그는 갔다.", true, false},
                                         FrontCase{"ending_in_a_gloss", " 한자(漢字)", true, true},
                                         FrontCase{"ending_in_spaces", " 그는   갔", false, false}),
                         [](const testing::TestParamInfo<FrontCase>& info) { return info.param.name; });

// The output's last bytes are asked whether they open a quotation before the line's front joins
// them: here they do, so the closing mark near the line's end stays inside its sentence.
TEST(GrownLineFrontTest, TheOutputIsReadAsItStoodBeforeTheLine) {
    std::string touching;
    while (touching.size() < (size_t{600} << 10)) touching += "\"\"";
    std::string line = touching + cp949("가” 그는 말을 했");
    RuleBench whole_bench;
    RuleBench sent_bench;
    std::string results[2];
    RuleBench* benches[2] = {&whole_bench, &sent_bench};
    for (int k = 0; k < 2; ++k) {
        Conversion& cv = benches[k]->cv();
        cv.place.line_end = static_cast<int64_t>(line.size());
        benches[k]->set_source(line + "\n");
        benches[k]->set_output(cp949("앞의 문단은 길게 이어지다가 끝났다.\r\n\r\n그가 “자, 가자\r\n"));
        benches[k]->set_line(line + "\r\n");
        FrontCollector front(cv);
        int64_t sent = insert_dialogue_breaks(cv, k == 1 ? &front : nullptr);
        results[k] = benches[k]->output() + benches[k]->line().substr(static_cast<size_t>(sent));
    }
    EXPECT_EQ(first_difference(results[1], results[0]), std::string::npos);
    EXPECT_NE(results[0].find(cp949("가” 그는")), std::string::npos);
}

// A line that starts with a space keeps its front: the join may drop that space.
TEST(GrownLineFrontTest, ALineStartingWithASpaceIsHeldWhole) {
    RuleBench bench;
    Conversion& cv = bench.cv();
    std::string text = " " + long_line(4, size_t{700} << 10);
    cv.place.line_end = static_cast<int64_t>(text.size());
    bench.set_source(text + "\n");
    bench.set_line(text + "\r\n");
    FrontCollector front(cv);
    EXPECT_EQ(insert_dialogue_breaks(cv, &front), 0);
    EXPECT_EQ(front.pieces, 0);
}

}  // namespace

}  // namespace tessaline
