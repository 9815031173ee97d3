#include "engine/vocabulary_store.h"

BookVocabulary book_vocabulary;

void clear_book_vocabulary() {
    word_table_clear(book_vocabulary.words);
    pair_table_clear(book_vocabulary.pairs);
    book_vocabulary.habit_prior[0] = 0.0;
    book_vocabulary.habit_prior[1] = 0.0;
    book_vocabulary.paragraphs_marked = false;
    book_vocabulary.blanks_are_spaces = false;
}
