#include "engine/joint_review.h"

#include "engine/attaching_words.h"
#include "engine/engine_state.h"
#include "engine/joint_match.h"

namespace {

// The line's text ends here, before the join mark and the trailing space.
int64_t before_space_end() { return int64_t{engine_state.line_len} - engine_state.mark_offset - 1; }

bool rule_fires(const ReviewRule& rule) {
    return head_is_any(rule.heads) &&
           line_end_passes(before_space_end(), rule.required_befores, rule.excluded_befores);
}

bool any_rule_fires(std::span<const ReviewRule> rules) {
    for (const ReviewRule& rule : rules)
        if (rule_fires(rule)) return true;
    return false;
}

// A space or comma at this byte of the next line ends its first word there.
bool word_ends_at(int offset) {
    unsigned char c = source_byte(int64_t{engine_state.next_start} + offset);
    return c == ' ' || c == ',';
}

bool one_syllable_word_attaches() {
    if (!word_ends_at(2)) return false;
    if (head_is(standing_head) && !head_is(standing_verb, 3)) return true;
    return any_rule_fires(attaching_one_syllable_rules);
}

// A short closing word ("다.", "셨다.") or a particle or ending opens the next line.
bool space_goes() {
    if (head_is_any(closing_marks, 2)) return true;
    if (engine_state.space_added == 1 && head_is_any(closing_marks, 4)) return true;
    if (one_syllable_word_attaches()) return true;
    if (any_rule_fires(attaching_opening_rules)) return true;
    unsigned char first = source_byte(engine_state.next_start);
    if (first == ',' || first == '.') return true;
    return word_ends_at(4) && any_rule_fires(attaching_two_syllable_rules);
}

}  // namespace

void review_joint_space() {
    int32_t length = engine_state.line_len;
    if (line_byte(length - 1) != ' ') return;
    if (head_is(space_keeping_head)) return;
    if (space_goes()) line_truncate(length - 1);
}
