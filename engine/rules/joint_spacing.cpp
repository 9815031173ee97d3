#include "engine/rules/joint_spacing.h"

#include "engine/passes/conversion.h"
#include "engine/rules/joint_match.h"
#include "engine/rules/joint_words.h"

namespace tessaline {

namespace {

// A shorter line is too short for the word rules to read: it never gets the space.
constexpr int32_t shortest_spaced_line = 9;

bool is_ascii_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// True when the byte at `pos` is a character of its own, not the second byte of a two-byte
// character (whose second byte may look like an ASCII letter).
bool starts_character(const LineText& line, int64_t pos) {
    int64_t i = 0;
    while (i < pos) i += line.at(i) >= 0x80 ? 2 : 1;
    return i == pos;
}

bool rule_fires(const Conversion& cv, const TailRule& rule) {
    return tail_is(cv, rule.tail) &&
           line_end_passes(cv, text_end(cv) - rule.tail.length, rule.required_befores, rule.excluded_befores) &&
           head_passes(cv, rule.required_heads, rule.excluded_heads);
}

// A rule is found under its tail's last byte: it can fire only where the line ends in that byte.
std::bitset<256> tail_key(const TailRule& rule) { return last_byte_of(rule.tail); }

struct SpacingLists {
    ByteIndex<Word> always_spaced{always_spaced_tails, last_byte_of};
    ByteIndex<TailRule> excepted{excepted_tails, tail_key};
    ByteIndex<Word> opening{opening_heads, first_byte_of};
    ByteIndex<TailRule> single_word{single_word_rules, tail_key};
    ByteIndex<TailRule> ending{ending_rules, tail_key};
};

const SpacingLists& lists() {
    static const SpacingLists indexed;
    return indexed;
}

bool any_rule_fires(const Conversion& cv, const ByteIndex<TailRule>& rules) {
    for (const TailRule* rule : rules.under(cv.line_byte(text_end(cv) - 1)))
        if (rule_fires(cv, *rule)) return true;
    return false;
}

bool opening_calls_for_space(const Conversion& cv) {
    if (head_is_any(cv, lists().opening)) return true;
    for (const HeadRule& rule : opening_rules)
        if (head_is(cv, rule.head, rule.offset) && !tail_is_any(cv, rule.excluded_tails)) return true;
    return false;
}

// The five groups in their order; a space before the last syllable marks a one-syllable last word.
bool words_call_for_space(const Conversion& cv) {
    const SpacingLists& l = lists();
    bool one_syllable_word = cv.line_byte(text_end(cv) - 3) == ' ';
    return tail_is_any(cv, l.always_spaced) || any_rule_fires(cv, l.excepted) || opening_calls_for_space(cv) ||
           (one_syllable_word && any_rule_fires(cv, l.single_word)) || rule_fires(cv, dani_rule) ||
           (!one_syllable_word && any_rule_fires(cv, l.ending));
}

void add_space(Conversion& cv) {
    cv.line.append(" ", 1);
    cv.place.space_added = 1;
}

}  // namespace

void decide_joint_space(Conversion& cv) {
    cv.place.space_added = 0;
    if (cv.line.length < shortest_spaced_line) return;
    // A line break appended by the join puts the next line on a line of its own: nothing to space.
    if (cv.line_byte(cv.line.length - 1) == '\n') return;
    int64_t last = text_end(cv) - 1;
    if (cv.line_byte(last) == ' ') return;
    if (is_ascii_letter(cv.line_byte(last)) && starts_character(cv.line, last)) {
        add_space(cv);
        return;
    }
    if (words_call_for_space(cv)) add_space(cv);
}

}  // namespace tessaline
