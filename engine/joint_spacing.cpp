#include "engine/joint_spacing.h"

#include "engine/engine_state.h"
#include "engine/joint_match.h"
#include "engine/joint_words.h"

namespace {

// A shorter line buffer is too short for the word rules to read: it never gets the space.
constexpr int32_t shortest_spaced_line = 9;

bool is_ascii_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// True when the byte at `pos` is a character of its own, not the second byte of a two-byte
// character (whose second byte may look like an ASCII letter).
bool starts_character(int64_t pos) {
    int64_t i = 0;
    while (i < pos) i += line_byte(i) >= 0x80 ? 2 : 1;
    return i == pos;
}

bool rule_fires(const TailRule& rule) {
    return tail_is(rule.tail) &&
           line_end_passes(text_end() - rule.tail.length, rule.required_befores, rule.excluded_befores) &&
           head_passes(rule.required_heads, rule.excluded_heads);
}

bool any_rule_fires(std::span<const TailRule> rules) {
    for (const TailRule& rule : rules)
        if (rule_fires(rule)) return true;
    return false;
}

bool opening_calls_for_space() {
    if (head_is_any(opening_heads)) return true;
    for (const HeadRule& rule : opening_rules)
        if (head_is(rule.head, rule.offset) && !tail_is_any(rule.excluded_tails)) return true;
    return false;
}

// The five groups in their order; a space before the last syllable marks a one-syllable last word.
bool words_call_for_space() {
    bool one_syllable_word = line_byte(text_end() - 3) == ' ';
    return tail_is_any(always_spaced_tails) || any_rule_fires(excepted_tails) || opening_calls_for_space() ||
           (one_syllable_word && any_rule_fires(single_word_rules)) || rule_fires(dani_rule) ||
           (!one_syllable_word && any_rule_fires(ending_rules));
}

void add_space() {
    line_append(" ", 1);
    engine_state.space_added = 1;
}

}  // namespace

void decide_joint_space() {
    engine_state.space_added = 0;
    if (engine_state.line_len < shortest_spaced_line) return;
    // A line break appended by the join puts the next line on a line of its own: nothing to space.
    if (line_byte(engine_state.line_len - 1) == '\n') return;
    int64_t last = text_end() - 1;
    if (line_byte(last) == ' ') return;
    if (is_ascii_letter(line_byte(last)) && starts_character(last)) {
        add_space();
        return;
    }
    if (words_call_for_space()) add_space();
}
