// The review of the space at a joint: a space before a particle, an ending or a short closing
// word at the start of the next line is taken away again. Whole lines run through the engine;
// a line ending in a space keeps that space only in a document whose long lines mostly end
// without one, so those cases run inside such a document.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/rules/joint_review.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

struct ReviewCase {
    const char* line;  // joined to the next line; a trailing space is the line's own
    const char* next;  // ends in a keep mark, so it ends the text
    bool spaced;
};

// Ten long lines that end without a space: from here on a line keeps its one trailing space.
std::string unspaced_document_start() {
    std::string start;
    for (int i = 0; i < 10; ++i) start += "이 줄은 서른 바이트가 넘는 긴 문장으로 끝난다.\r\n";
    return start;
}

std::string without_trailing_space(std::string line) {
    if (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

void expect_reviewed(const std::vector<ReviewCase>& cases, const ConversionOptions& options = plain_options()) {
    const std::string start = unspaced_document_start();
    for (const ReviewCase& c : cases) {
        SCOPED_TRACE(std::string(c.line) + "| " + c.next);
        std::string result = reflow_utf8(start + c.line + "\r\n" + c.next, options);
        std::string mark = options.mark_joins ? "`" : "";
        std::string expected = start + without_trailing_space(c.line) + mark + (c.spaced ? " " : "") + c.next + "\r\n";
        EXPECT_EQ(result, expected) << result.substr(start.size());
    }
}

TEST(JointReview, Step1NextLineWithEopsKeepsTheSpace) {
    expect_reviewed({
        {"그에게는 이제 돈이", "없다.", true},  // +4 is a full stop: step 3 would take the space
        {"그에게는 이제 돈이", "없는.", true},
        {"그에게는 이제 돈이 ", "없다.", true},
        {"그는 그 사람에게", "없 는 것을 주었다.", true},  // a one-syllable word that attaches otherwise
        {"그는 그 사람에게", "도 없는 것을 주었다.", false},
    });
}

TEST(JointReview, Step2ClosingMarkAfterOneSyllable) {
    expect_reviewed({
        {"그것은 사실이", "다.", false},
        {"그게 정말 사실이", "요?", false},
        {"그건 내 잘못이", "야!", false},
        {"그것은 사실이 ", "다.", false},
        {"그 말을 한 것은 바로 그 사람이", "야'", false},
    });
}

TEST(JointReview, Step3ClosingMarkAfterTwoSyllablesOnlyForAnAddedSpace) {
    expect_reviewed({
        {"할아버지는 집에 들어가", "셨다.", false},
        {"할아버지는 집에 들어가", "셨어?", false},
        {"할아버지는 집에 들어가 ", "셨다.", true},
        {"할아버지는 집에 들어가 ", "셨어?", true},
    });
}

TEST(JointReview, Step4OneSyllableParticles) {
    expect_reviewed({
        {"그는 서울 ", "로 떠났다.", false},
        {"그는 서울 ", "로, 다시 떠났다.", false},
        {"그리고 나 ", "는 웃었다.", false},
        {"그는 유럽의 ", "로마로 떠났다.", true},
        {"그는 문 앞에 ", "서 기다렸다.", false},
        {"그는 문 앞에 ", "서 있었다.", true},
        {"그는 문 앞에", "서, 그를 기다렸다.", false},
        {"그는 문 앞에", "서 있었다.", true},
        {"그는 그 사람에게", "도 말했다.", false},
        {"그는 너에게", "만 말했다.", false},
        {"그 아이 ", "들 모두 웃었다.", false},
        {"그것은 내가 할 일이 아니었기 ", "에 웃었다.", false},
    });
}

TEST(JointReview, Step4SyllablesThatAttachAfterCertainSyllables) {
    expect_reviewed({
        {"그가 알 수 있도", "록 말했다.", false},
        {"그가 좋아하는 음악은 ", "록 음악이었다.", true},
        {"그 나라에", "선 그랬다.", false},
        {"그는 붉은 ", "선 하나를 그었다.", true},
        {"그것이 무엇이", "든 좋다.", false},
        {"그는 가방을", "든 채 서 있었다.", true},
        {"그는 무엇을 찍 ", "든 좋다고 했다.", true},
        {"그 사람만", "이 알았다.", false},
        {"그것은 오늘", "이 아니다.", false},
        {"그가 찾던 곳 ", "이 여기였다.", false},
        {"알고 있었지만", "이 사람은 몰랐다.", true},
        {"가고 싶으면 그러면 ", "이 길로 가라.", true},
        {"그는 밥을", "이 사람과 먹었다.", true},
        {"그는 크게 소리를 내질", "러 댔다.", false},
        {"그는 크게 소리를 내질", "문을 했다.", true},
    });
}

TEST(JointReview, Step5AfterKyeo) {
    expect_reviewed({
        {"그는 몸을 일으켜", "야 했다.", false},
        {"그는 불을 켜 ", "둔 채 잠들었다.", false},
        {"그는 그녀를 일으켜", "주는 사람이었다.", false},
        {"그는 그녀를 일으켜", "드릴 수 있었다.", false},
        {"그는 몸을 일으켜", "세웠다.", true},
        {"그는 그녀를 일으켜", "주었다.", true},
    });
}

TEST(JointReview, Step6NextLineStartingWithCommaOrFullStop) {
    expect_reviewed({
        {"그는 아침부터", ", 그리고 저녁까지 일했다.", false},
        {"그는 아침부터 ", ", 그리고 저녁까지 일했다.", false},
        {"그는 그 자리에서 끝까지", "...기다렸다.", false},
    });
}

TEST(JointReview, Step7TwoSyllableEndings) {
    expect_reviewed({
        {"그는 학교 ", "에서 공부했다.", false},
        {"그는 학교 ", "에서는 조용했다.", true},
        {"그가 사는 곳", "까지 걸었다.", false},
        {"그가 사는 곳", "까지, 그는 걸었다.", false},
        {"그가 사는 곳", "까지도 걸었다.", true},
        {"그것이야", "말로 문제였다.", false},
        {"그것은 정말 ", "말로 다 할 수 없었다.", true},
        {"그는 그렇게 한", "다는 말을 들었다.", false},
        {"그것을 받아들이기 힘든 사람 ", "들이 있었다.", false},
    });
}

TEST(JointReview, Step8Jigett) {
    expect_reviewed({
        {"그것은 곧 좋아 ", "지겠지.", false},
        {"그것은 곧 좋아 ", "지고 있었다.", true},
    });
}

TEST(JointReview, OtherwiseTheSpaceStays) {
    expect_reviewed({
        {"그날 아침부터", "비가 내렸다.", true},
        {"그는 아침부터 ", "비를 맞았다.", true},
    });
}

TEST(JointReview, WithJoinMarkTheMarkStaysLast) {
    ConversionOptions options = plain_options();
    options.mark_joins = true;
    expect_reviewed(
        {
            {"그 나라에", "선 그랬다.", false},
            {"그가 알 수 있도", "록 말했다.", false},
            {"그것은 사실이", "다.", false},
            {"그날 아침부터", "비가 내렸다.", true},
        },
        options);
    // The line's own space stands before the mark, so the review never sees it.
    EXPECT_EQ(reflow_utf8(unspaced_document_start() + "그는 서울 \r\n로 떠났다.", options),
              unspaced_document_start() + "그는 서울 `로 떠났다.\r\n");
}

// Sets up a joint the way the spacing rules leave it and runs the review alone.
std::string review(const std::string& line, const std::string& next, int space_added) {
    RuleBench bench;
    Conversion& cv = bench.cv();
    bench.set_source(cp949(next));
    bench.set_line(cp949(line));
    cv.place.space_added = space_added;
    review_joint_space(cv);
    EXPECT_EQ(cv.line.bytes()[cv.line.length], 0);
    EXPECT_EQ(cv.place.space_added, space_added);
    return utf8(bench.line());
}

TEST(JointReview, LineWithoutTrailingSpaceIsLeftAlone) {
    EXPECT_EQ(review("그 나라에", "선 그랬다", 0), "그 나라에");
    EXPECT_EQ(review("그 나라에\r\n", ", 그리고", 0), "그 나라에\r\n");
}

TEST(JointReview, BytesBeforeTheLineBufferMatchNothing) {
    // The pair "오늘" would need bytes before the buffer's start.
    EXPECT_EQ(review("늘 ", "이 좋다", 1), "늘 ");
    EXPECT_EQ(review("오늘 ", "이 좋다", 1), "오늘");
    EXPECT_EQ(review(" ", "로 갔다", 1), "");
}

TEST(JointReview, BytesPastTheSourceMatchNothing) {
    // "까지" cut short by the end of the text is no ending.
    EXPECT_EQ(review("그가 사는 곳 ", "까", 1), "그가 사는 곳 ");
    EXPECT_EQ(review("그가 사는 곳 ", "", 1), "그가 사는 곳 ");
}

}  // namespace

}  // namespace tessaline
