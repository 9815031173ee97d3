#pragma once

#include "engine/vocabulary_pairs.h"
#include "engine/vocabulary_table.h"

// The book's own spacing evidence, gathered from the inside of the source text's lines, where
// the wrap has cut nothing. Rebuilt for every run of the opt-in mode.
struct BookVocabulary {
    WordCountTable words;        // syllable runs with a space or a mark inside the line on both sides
    WordCountTable beginnings;   // every proper beginning of those words, counted once per use of the word
    WordCountTable endings;      // every proper ending of those words, likewise
    SyllablePairTable pairs;     // adjacent syllables written together or across one space
    double habit_prior[2];       // the book's wrap habit: log-odds of a space at a cut without / with a blank
};

extern BookVocabulary book_vocabulary;

void clear_book_vocabulary();
