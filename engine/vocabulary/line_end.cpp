#include "engine/vocabulary/line_end.h"

#include "engine/passes/conversion.h"
#include "engine/rules/joint_review.h"
#include "engine/rules/joint_spacing.h"
#include "engine/vocabulary/breaks.h"
#include "engine/vocabulary/joints.h"
#include "engine/vocabulary/lengths.h"
#include "engine/vocabulary/sentences.h"

namespace tessaline {

namespace {

void decide_joint(Conversion& cv, bool joined_by_rules) {
    int64_t rules_length = cv.line.length;  // a kept line, its CR LF included
    if (!joined_by_rules && !continue_by_book_layout(cv)) return;
    decide_joint_space(cv);
    review_joint_space(cv);
    if (joined_by_rules) rules_length = cv.line.length;
    apply_vocabulary_evidence(cv);
    expect_length_difference(cv.length_notes, cv.line.length - rules_length, !joined_by_rules);
}

}  // namespace

void decide_book_line_end(Conversion& cv, bool joined_by_rules) {
    bool sentence_inside = sentence_ends_inside_line(cv);
    decide_joint(cv, joined_by_rules);
    cv.sentences.ended_in_line_before = sentence_inside;
}

}  // namespace tessaline
