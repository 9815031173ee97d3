#include "engine/vocabulary/line_end.h"

#include "engine/passes/conversion.h"
#include "engine/rules/joint_review.h"
#include "engine/rules/joint_spacing.h"
#include "engine/vocabulary/breaks.h"
#include "engine/vocabulary/joints.h"
#include "engine/vocabulary/lengths.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/sentences.h"

namespace tessaline {

namespace {

bool line_holds_sentence_end(const Conversion& cv) {
    int64_t text_end = line_text_end(cv.source, cv.place.line_end);
    return text_end > cv.place.line_start && holds_sentence_end(cv.source, cv.place.line_start, text_end);
}

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
    bool sentence_inside = line_holds_sentence_end(cv);  // read before a joint moves the line's end
    decide_joint(cv, joined_by_rules);
    cv.sentence_ends.in_line_before = sentence_inside;
}

}  // namespace tessaline
