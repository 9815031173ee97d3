#pragma once

#include "engine/vocabulary_pairs.h"
#include "engine/vocabulary_table.h"

// The book's own spacing evidence, gathered from the inside of the source text's lines, where
// the wrap has cut nothing. Rebuilt for every run of the opt-in mode.
struct BookVocabulary {
    WordTable words;             // syllable runs with a blank or a mark inside the line on both sides,
                                 // and every proper beginning and ending of them, once per use
    CharPairTable pairs;         // adjacent characters written together or across one space
    double habit_prior[2];       // the book's wrap habit: log-odds of a space at a cut without / with a blank
    bool paragraphs_marked;      // paragraphs start with an indentation or after an empty line
    bool blanks_are_spaces;      // a blank at a cut is the author's space, kept by the wrap
};

extern BookVocabulary book_vocabulary;

void clear_book_vocabulary();
