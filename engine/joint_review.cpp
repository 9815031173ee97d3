#include "engine/joint_review.h"

#include "engine/attaching_words.h"
#include "engine/conversion.h"
#include "engine/joint_match.h"

namespace {

// The line's text ends here, before the join mark and the trailing space.
int64_t before_space_end(const Conversion& cv) { return cv.line.length - cv.place.mark_offset - 1; }

bool rule_fires(const Conversion& cv, const ReviewRule& rule) {
    return head_is_any(cv, rule.heads) &&
           line_end_passes(cv, before_space_end(cv), rule.required_befores, rule.excluded_befores);
}

bool any_rule_fires(const Conversion& cv, std::span<const ReviewRule> rules) {
    for (const ReviewRule& rule : rules)
        if (rule_fires(cv, rule)) return true;
    return false;
}

// A space or comma at this byte of the next line ends its first word there.
bool word_ends_at(const Conversion& cv, int offset) {
    unsigned char c = cv.source_byte(cv.place.next_start + offset);
    return c == ' ' || c == ',';
}

bool one_syllable_word_attaches(const Conversion& cv) {
    if (!word_ends_at(cv, 2)) return false;
    if (head_is(cv, standing_head) && !head_is(cv, standing_verb, 3)) return true;
    return any_rule_fires(cv, attaching_one_syllable_rules);
}

// A short closing word ("다.", "셨다.") or a particle or ending opens the next line.
bool space_goes(const Conversion& cv) {
    if (head_is_any(cv, closing_marks, 2)) return true;
    if (cv.place.space_added == 1 && head_is_any(cv, closing_marks, 4)) return true;
    if (one_syllable_word_attaches(cv)) return true;
    if (any_rule_fires(cv, attaching_opening_rules)) return true;
    unsigned char first = cv.source_byte(cv.place.next_start);
    if (first == ',' || first == '.') return true;
    return word_ends_at(cv, 4) && any_rule_fires(cv, attaching_two_syllable_rules);
}

}  // namespace

void review_joint_space(Conversion& cv) {
    int64_t length = cv.line.length;
    if (cv.line_byte(length - 1) != ' ') return;
    if (head_is(cv, space_keeping_head)) return;
    if (space_goes(cv)) cv.line.truncate(length - 1);
}
