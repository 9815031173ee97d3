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

LineSentences line_sentences(const Conversion& cv) {
    int64_t text_end = line_text_end(cv.source, cv.place.line_end);
    if (text_end <= cv.place.line_start) return {};
    return read_line_sentences(cv.source, cv.place.line_start, text_end);
}

// Returns whether the line was joined to the next one.
bool decide_joint(Conversion& cv, bool joined_by_rules) {
    int64_t rules_length = cv.line.length;  // a kept line, its CR LF included
    if (!joined_by_rules && !continue_by_book_layout(cv)) return false;
    decide_joint_space(cv);
    review_joint_space(cv);
    if (joined_by_rules) rules_length = cv.line.length;
    apply_vocabulary_evidence(cv);
    expect_length_difference(cv.length_notes, cv.line.length - rules_length, !joined_by_rules);
    return true;
}

}  // namespace

void decide_book_line_end(Conversion& cv, bool joined_by_rules) {
    LineSentences line = line_sentences(cv);  // read before a joint moves the line's end
    SentencesSoFar& so_far = cv.sentences;
    so_far.quotation_open = so_far.quotation_open != line.flips_quotation;
    bool joined = decide_joint(cv, joined_by_rules);
    so_far.ended_in_line_before = line.end_inside;
    if (!joined) so_far.quotation_open = false;  // a paragraph's quotations close within it
}

}  // namespace tessaline
