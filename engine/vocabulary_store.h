#pragma once

#include "engine/vocabulary_pairs.h"
#include "engine/vocabulary_table.h"

// The share of the book's syllable meetings written apart, and its log-odds.
struct SpaceShare {
    double share;
    double log_odds;
};

// The book's own spacing evidence, gathered from the inside of the source text's lines, where
// the wrap has cut nothing. Rebuilt for every run of the opt-in mode.
struct BookVocabulary {
    WordTable words;             // syllable runs with a blank or a mark inside the line on both sides,
                                 // and every proper beginning and ending of them, once per use
    CharPairTable pairs;         // adjacent characters written together or across one space
    SyllableMargins margins;     // each character before or after any syllable, together or apart
    PairCounts syllable_gaps;    // all meetings of two syllables, together or apart
    SpaceShare space_share;      // ... as a share, the usual odds of a space between syllables
    CharPairTable word_starts;   // two syllables written right after a syllable (together) or
                                 // after a syllable and one space (apart)
    double habit_prior[2];       // the book's wrap habit: log-odds of a space at a cut without / with a blank
    bool paragraphs_marked;      // paragraphs start with an indentation or after an empty line
    bool blanks_are_spaces;      // a blank at a cut is the author's space, kept by the wrap
};

extern BookVocabulary book_vocabulary;

void clear_book_vocabulary();
