#include "engine/vocabulary_store.h"

BookVocabulary book_vocabulary;

void clear_book_vocabulary() {
    word_table_clear(book_vocabulary.words);
    pair_table_clear(book_vocabulary.pairs);
    margins_clear(book_vocabulary.margins);
    pair_table_clear(book_vocabulary.word_starts);
    book_vocabulary.syllable_gaps = PairCounts{0, 0};
    book_vocabulary.space_share = SpaceShare{0.5, 0.0};
    book_vocabulary.habit_prior[0] = 0.0;
    book_vocabulary.habit_prior[1] = 0.0;
    book_vocabulary.paragraphs_marked = false;
    book_vocabulary.blanks_are_spaces = false;
}
