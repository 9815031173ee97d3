#pragma once

#include <cstdint>
#include <vector>

#include "engine/quotation_words.h"
#include "engine/text_window.h"
#include "engine/vocabulary_lines.h"

struct BookVocabulary;

// Whether the bytes from `pos` open with a form of 하다 that carries a sentence on after a
// quotation ("하고", "하며", "했다" ...). `at` reads a byte of whatever text is examined.
template <typename ByteAt>
bool quotative_at(ByteAt at, int64_t pos) {
    for (const Word& word : quotative_openings) {
        int k = 0;
        while (k < word.length && at(pos + k) == static_cast<unsigned char>(word.bytes[k])) ++k;
        if (k == word.length) return true;
    }
    return false;
}

// Learns whether the book writes a quotation and the 하고 or 하며 that follows it on one line,
// from how often its lines hold them together and how often a line opens with such a word right
// after a line that ends in a closing quotation mark. Only the `lines` given are read.
void learn_quotation_habit(BookVocabulary& vocabulary, const TextWindow& source, const std::vector<SourceLine>& lines);
