#include "engine/rules/joint_review.h"

#include "engine/passes/conversion.h"
#include "engine/rules/attaching_words.h"
#include "engine/rules/joint_match.h"

namespace tessaline {

namespace {

// The line's text ends here, before the join mark and the trailing space.
int64_t before_space_end(const Conversion& cv) { return cv.line.length - cv.place.mark_offset - 1; }

bool rule_fires(const Conversion& cv, const ReviewRule& rule) {
    return head_is_any(cv, rule.heads) &&
           line_end_passes(cv, before_space_end(cv), rule.required_befores, rule.excluded_befores);
}

// A rule is found under the first bytes of its heads: it can fire only where the next line
// begins with one of them.
std::bitset<256> heads_key(const ReviewRule& rule) { return first_bytes_of(rule.heads); }

struct ReviewLists {
    ByteIndex<Word> closing{closing_marks, first_byte_of};
    ByteIndex<ReviewRule> one_syllable{attaching_one_syllable_rules, heads_key};
    ByteIndex<ReviewRule> two_syllable{attaching_two_syllable_rules, heads_key};
    ByteIndex<ReviewRule> opening{attaching_opening_rules, heads_key};
};

const ReviewLists& lists() {
    static const ReviewLists indexed;
    return indexed;
}

bool any_rule_fires(const Conversion& cv, const ByteIndex<ReviewRule>& rules) {
    for (const ReviewRule* rule : rules.under(cv.source_byte(cv.place.next_start)))
        if (rule_fires(cv, *rule)) return true;
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
    return any_rule_fires(cv, lists().one_syllable);
}

// A short closing word ("다.", "셨다.") or a particle or ending opens the next line.
bool space_goes(const Conversion& cv) {
    if (head_is_any(cv, lists().closing, 2)) return true;
    if (cv.place.space_added == 1 && head_is_any(cv, lists().closing, 4)) return true;
    if (one_syllable_word_attaches(cv)) return true;
    if (any_rule_fires(cv, lists().opening)) return true;
    unsigned char first = cv.source_byte(cv.place.next_start);
    if (first == ',' || first == '.') return true;
    return word_ends_at(cv, 4) && any_rule_fires(cv, lists().two_syllable);
}

}  // namespace

void review_joint_space(Conversion& cv) {
    int64_t length = cv.line.length;
    if (cv.line_byte(length - 1) != ' ') return;
    if (head_is(cv, space_keeping_head)) return;
    if (space_goes(cv)) cv.line.truncate(length - 1);
}

}  // namespace tessaline
