#include "tools/quality/quality_score.h"

#include <gtest/gtest.h>

#include "tests/support/cp949.h"

namespace tessaline {

namespace {

// Two paragraphs of which the first is cut twice: once where a space stood, once inside a word.
WrappedNovel two_paragraphs() {
    WrappedNovel novel;
    novel.original = cp949("그는 돌아섰다 아주\n멀리.");
    novel.cuts = {cp949("그는").size() - 1, cp949("그는 돌아").size() - 1};
    novel.lines = {{cp949("그는"), cp949("돌아"), cp949("섰다 아주")}, {cp949("멀리.")}};
    return novel;
}

TEST(QualityScore, ThePerfectRepairScoresFull) {
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는 돌아섰다 아주\r\n멀리.\r\n"));
    EXPECT_EQ(c.lost, 0u);
    EXPECT_EQ(c.joints, 2u);
    EXPECT_EQ(c.joints_right, 2u);
    EXPECT_EQ(c.spaced_joints, 1u);
    EXPECT_EQ(c.spaced_joints_right, 1u);
    EXPECT_EQ(c.unspaced_joints_right(), 1u);
    EXPECT_EQ(c.breaks, 1u);
    EXPECT_EQ(c.breaks_found, 1u);
    EXPECT_EQ(c.output_breaks, 1u);
    EXPECT_EQ(c.output_breaks_right, 1u);
    EXPECT_EQ(c.gaps, c.gaps_right);
    EXPECT_EQ(c.gaps, cp949("그는돌아섰다아주멀리.").size() - 1);
}

TEST(QualityScore, AJointNeedsExactlyTheOriginalSpace) {
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는  돌아 섰다 아주\r\n멀리.\r\n"));
    EXPECT_EQ(c.joints, 2u);
    EXPECT_EQ(c.joints_right, 0u);
    EXPECT_EQ(c.spaced_joints_right, 0u);
    EXPECT_EQ(c.unspaced_joints(), 1u);
    EXPECT_EQ(c.unspaced_joints_right(), 0u);
    EXPECT_EQ(c.gaps_right, c.gaps - 2);
}

TEST(QualityScore, SpacedAndUnspacedJointsAreToldApart) {
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는돌아섰다 아주\r\n멀리.\r\n"));
    EXPECT_EQ(c.spaced_joints_right, 0u);
    EXPECT_EQ(c.unspaced_joints_right(), 1u);
}

TEST(QualityScore, ABreakAtAJointIsWrongAndCostsPrecision) {
    std::vector<JointError> errors;
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는\r\n돌아섰다 아주 멀리.\r\n"), 5, &errors);
    EXPECT_EQ(c.joints_right, 1u);
    EXPECT_EQ(c.breaks_found, 0u);
    EXPECT_EQ(c.output_breaks, 1u);
    EXPECT_EQ(c.output_breaks_right, 0u);
    EXPECT_EQ(c.kept_breaks, 1u);
    EXPECT_EQ(c.invented_breaks(), 0u);
    // The paragraph break the output lacks is an error of its own.
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].kind, ErrorKind::KEPT_BREAK);
    EXPECT_EQ(utf8(errors[0].output), "그는||돌아섰다 아주 멀리.||");
    EXPECT_EQ(errors[1].kind, ErrorKind::MISSED_BREAK);
}

TEST(QualityScore, ABreakInsideALineIsInvented) {
    std::vector<JointError> errors;
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는 돌아섰다\r\n아주\r\n멀리.\r\n"), 5, &errors);
    EXPECT_EQ(c.kept_breaks, 0u);
    EXPECT_EQ(c.invented_breaks(), 1u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].kind, ErrorKind::INVENTED_BREAK);
    EXPECT_EQ(utf8(errors[0].original), "그는 돌아섰다 아주|멀리.");
}

TEST(QualityScore, KeepsNoMoreErrorsThanAsked) {
    std::vector<JointError> errors;
    score_repair(two_paragraphs(), cp949("그는돌아 섰다 아주 멀리."), 1, &errors);
    EXPECT_EQ(errors.size(), 1u);
}

TEST(QualityScore, KeepsOnlyTheKindsAskedFor) {
    const std::string output = cp949("그는\r\n돌아 섰다 아주 멀리.\r\n");
    const struct {
        ErrorKinds kinds;
        std::vector<ErrorKind> kept;
    } cases[] = {
        {all_error_kinds, {ErrorKind::KEPT_BREAK, ErrorKind::JOINT, ErrorKind::MISSED_BREAK}},
        {error_bit(ErrorKind::MISSED_BREAK), {ErrorKind::MISSED_BREAK}},
        {error_bit(ErrorKind::JOINT) | error_bit(ErrorKind::KEPT_BREAK), {ErrorKind::KEPT_BREAK, ErrorKind::JOINT}},
        {error_bit(ErrorKind::INVENTED_BREAK), {}},
    };
    for (const auto& c : cases) {
        std::vector<JointError> errors;
        score_repair(two_paragraphs(), output, 5, &errors, c.kinds);
        std::vector<ErrorKind> kinds;
        for (const JointError& error : errors) kinds.push_back(error.kind);
        EXPECT_EQ(kinds, c.kept) << c.kinds;
    }
}

TEST(QualityScore, LostTextIsCountedAndNothingElse) {
    QualityCounts c = score_repair(two_paragraphs(), cp949("그는 돌아섰다\r\n멀리.\r\n"));
    EXPECT_EQ(c.lost, 1u);
    EXPECT_EQ(c.gaps, 0u);
}

TEST(QualityScore, NaiveJoinsScoreByTheShareOfSpaces) {
    WrappedNovel novel = two_paragraphs();
    EXPECT_EQ(score_repair(novel, join_paragraph_lines(novel, "")).joints_right, 1u);
    EXPECT_EQ(score_repair(novel, join_paragraph_lines(novel, " ")).joints_right, 1u);
}

TEST(QualityScore, AddsCountsUp) {
    QualityCounts a = score_repair(two_paragraphs(), cp949("그는 돌아섰다 아주\r\n멀리.\r\n"));
    QualityCounts b = a;
    b.add(a);
    EXPECT_EQ(b.joints, 2 * a.joints);
    EXPECT_EQ(b.gaps_right, 2 * a.gaps_right);
}

TEST(Percent, HasOneDecimalAndADashForNothing) {
    EXPECT_EQ(percent(1, 3), "33.3");
    EXPECT_EQ(percent(0, 0), "-");
    EXPECT_EQ(percent(5, 5), "100.0");
}

}  // namespace

}  // namespace tessaline
