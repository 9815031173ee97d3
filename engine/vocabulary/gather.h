#pragma once

#include <cstdint>

namespace tessaline {

struct BookVocabulary;

// Beyond this many bytes a book shows its words often enough that an even sample of its lines
// tells as much; so a long book costs no more to gather than a book of this size.
constexpr int64_t full_gather_bytes = 1 << 19;

// Only every this many-th line of a text of `length` bytes is read for the vocabulary.
int64_t gather_stride(int64_t length);

// Counts the words and character meetings inside one line: `length` bytes, its LF not included.
void gather_line(BookVocabulary& vocabulary, const unsigned char* line, int64_t length);

// Completes the counts once every line is read: the beginnings and endings of the words, the
// book's usual share of spaces and the logarithms the evidence reads.
void settle_vocabulary(BookVocabulary& vocabulary);

}  // namespace tessaline
