#pragma once

#include <cstdint>

#include "engine/rules/quotation_words.h"
#include "engine/text/text_window.h"

namespace tessaline {

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
// from how often its lines hold them together and how often a line ends in a closing quotation
// mark and the next line opens with such a word.
class QuotationSurvey {
public:
    // Reads one line, from `begin` to its LF (or the text's end) at `end`; the text must hold the
    // next line's text too.
    void survey_line(const TextWindow& text, int64_t begin, int64_t end);

    // With every line read: settles the habit in the vocabulary.
    void conclude(BookVocabulary& vocabulary) const;

private:
    int64_t run_on_ = 0;  // a closing mark, one space and a quotative word inside a line
    int64_t split_ = 0;   // a closing mark ending a line, a quotative word opening the next
};

}  // namespace tessaline
