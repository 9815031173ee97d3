#pragma once

#include <span>

#include "engine/rules/word.h"

namespace tessaline {

// A rule on the end of a joined line. It fires when the line's text ends in `tail`, the bytes
// just before the tail are one of `required_befores` (when any are given) and none of
// `excluded_befores`, and the next line begins with one of `required_heads` (when any are given)
// and with none of `excluded_heads`.
struct TailRule {
    Word tail;
    std::span<const Word> required_befores{};
    std::span<const Word> excluded_befores{};
    std::span<const Word> required_heads{};
    std::span<const Word> excluded_heads{};
};

// A rule on the opening of the next line: it fires when the next line holds `head` from its
// byte `offset` on and the line's text ends in none of `excluded_tails`.
struct HeadRule {
    Word head;
    int offset = 0;
    std::span<const Word> excluded_tails{};
};

// Endings after which a wrapped word always ends (group 1a): a space always follows them.
extern const std::span<const Word> always_spaced_tails;

// Endings that are followed by a space unless the next line continues the same word (group 1b).
extern const std::span<const TailRule> excepted_tails;

// Sentence openers that always stand apart from the line before them (group 2).
extern const std::span<const Word> opening_heads;
extern const std::span<const HeadRule> opening_rules;

// Rules for a line whose last word is a single syllable after a space (group 3).
extern const std::span<const TailRule> single_word_rules;

// The ending "다니" after a longer word (group 4).
extern const TailRule dani_rule;

// Rules for a line whose last word is longer than one syllable (group 5).
extern const std::span<const TailRule> ending_rules;

}  // namespace tessaline
