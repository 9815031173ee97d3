#pragma once

#include <cstdint>
#include <vector>

#include "engine/vocabulary/pairs.h"
#include "engine/vocabulary/table.h"
#include "engine/vocabulary/width.h"

namespace tessaline {

// The share of the book's syllable meetings written apart, and its log-odds.
struct SpaceShare {
    double share;
    double log_odds;
};

// Counts below this have their logarithms looked up: every joint takes six of them.
constexpr uint64_t logged_counts = 1024;

// log(count + offset) for the small counts, the offsets being the smoothing of a word's uses and
// the book's usual share of spaces; filled once the share is known.
struct CountLogs {
    std::vector<double> smoothed;
    std::vector<double> apart;
    std::vector<double> together;
};

// The book's own spacing evidence, gathered from the inside of the source text's lines, where
// the wrap has cut nothing. Built afresh for every conversion in the vocabulary mode.
struct BookVocabulary {
    WordCountTable words{};            // syllable runs with a blank or a mark inside the line on both sides,
                                       // and every proper beginning and ending of them, once per use
    CharPairTable pairs{};             // adjacent characters written together or across one space
    SyllableMargins margins{};         // each character before or after any syllable, together or apart
    PairCounts syllable_gaps{};        // all meetings of two syllables, together or apart
    SpaceShare space_share{0.5, 0.0};  // ... as a share, the usual odds of a space between syllables
    CharPairTable word_starts{};       // two syllables written right after a syllable (together) or
                                       // after a syllable and one space (apart)
    double habit_prior[2]{};           // the book's wrap habit: log-odds of a space at a cut without / with a blank
    bool paragraphs_marked = false;    // paragraphs start with an indentation or after an empty line
    bool blanks_are_spaces = false;    // a blank at a cut is the author's space, kept by the wrap
    WrapWidth wrap{};                  // the width the lines were wrapped at, if one
    bool quotations_run_on = false;    // a quotation and the 하고 after it stand on one line
    CountLogs logs{};
};

}  // namespace tessaline
