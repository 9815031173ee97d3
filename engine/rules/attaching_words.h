#pragma once

#include <span>

#include "engine/rules/word.h"

namespace tessaline {

// A rule that takes the space at a joint away: it fires when the next line begins with one of
// `heads` and the text before the space ends in one of `required_befores` (when any are given)
// and in none of `excluded_befores`.
struct ReviewRule {
    std::span<const Word> heads;
    std::span<const Word> required_befores{};
    std::span<const Word> excluded_befores{};
};

// Marks that close a sentence or a quotation.
extern const std::span<const Word> closing_marks;

// One-syllable particles and endings that belong fused to the word before them.
extern const std::span<const Word> attaching_syllables;

// Two-syllable particles and endings that belong fused to the word before them.
extern const std::span<const Word> attaching_endings;

// Rules for a next line whose first word is one syllable.
extern const std::span<const ReviewRule> attaching_one_syllable_rules;

// Rules for a next line whose first word is two syllables.
extern const std::span<const ReviewRule> attaching_two_syllable_rules;

// Rules for the next line's first bytes, whatever its first word.
extern const std::span<const ReviewRule> attaching_opening_rules;

// A next line that begins with this keeps the space ("없다" is a word of its own).
extern const Word space_keeping_head;

// "서" attaches, unless "있" follows it as in "서 있다".
extern const Word standing_head;
extern const Word standing_verb;

}  // namespace tessaline
