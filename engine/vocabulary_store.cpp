#include "engine/vocabulary_store.h"

BookVocabulary book_vocabulary;

void clear_book_vocabulary() {
    word_table_clear(book_vocabulary.words);
    word_table_clear(book_vocabulary.beginnings);
    word_table_clear(book_vocabulary.endings);
    pair_table_clear(book_vocabulary.pairs);
    book_vocabulary.habit_prior[0] = 0.0;
    book_vocabulary.habit_prior[1] = 0.0;
}
