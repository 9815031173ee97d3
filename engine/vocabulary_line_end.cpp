#include "engine/vocabulary_line_end.h"

#include "engine/engine_state.h"
#include "engine/joint_review.h"
#include "engine/joint_spacing.h"
#include "engine/vocabulary_breaks.h"
#include "engine/vocabulary_joints.h"
#include "engine/vocabulary_lengths.h"

void decide_book_line_end(bool joined_by_rules) {
    int32_t rules_length = engine_state.line_len;  // a kept line, its CR LF included
    if (!joined_by_rules && !continue_by_book_layout()) return;
    decide_joint_space();
    review_joint_space();
    if (joined_by_rules) rules_length = engine_state.line_len;
    apply_vocabulary_evidence();
    expect_length_difference(engine_state.line_len - rules_length, !joined_by_rules);
}
