#include "engine/rules/joint_match.h"

#include "engine/passes/conversion.h"

namespace tessaline {

int64_t text_end(const Conversion& cv) { return cv.line.length - cv.place.mark_offset; }

// The last byte is compared first: most words of a list differ there and are passed over at once.
bool line_word_ends_at(const Conversion& cv, int64_t end, const Word& word) {
    if (word.length > 0 && static_cast<unsigned char>(word.bytes[word.length - 1]) != cv.line_byte(end - 1))
        return false;
    return cv.line_has(end - word.length, word.bytes, word.length);
}

bool line_any_ends_at(const Conversion& cv, int64_t end, std::span<const Word> words) {
    unsigned char last = cv.line_byte(end - 1);
    for (const Word& word : words) {
        bool may_match = word.length == 0 || static_cast<unsigned char>(word.bytes[word.length - 1]) == last;
        if (may_match && cv.line_has(end - word.length, word.bytes, word.length)) return true;
    }
    return false;
}

bool tail_is_any(const Conversion& cv, const ByteIndex<Word>& words) {
    int64_t end = text_end(cv);
    for (const Word* word : words.under(cv.line_byte(end - 1)))
        if (cv.line_has(end - word->length, word->bytes, word->length)) return true;
    return false;
}

bool tail_is(const Conversion& cv, const Word& word) { return line_word_ends_at(cv, text_end(cv), word); }

bool tail_is_any(const Conversion& cv, std::span<const Word> words) {
    return line_any_ends_at(cv, text_end(cv), words);
}

// The first byte is compared first, for the same reason.
bool head_is(const Conversion& cv, const Word& word, int offset) {
    int64_t pos = cv.place.next_start + offset;
    if (word.length > 0 && static_cast<unsigned char>(word.bytes[0]) != cv.source_byte(pos)) return false;
    return cv.source_has(pos, word.bytes, word.length);
}

bool head_is_any(const Conversion& cv, std::span<const Word> words, int offset) {
    int64_t pos = cv.place.next_start + offset;
    unsigned char first = cv.source_byte(pos);
    for (const Word& word : words) {
        bool may_match = word.length == 0 || static_cast<unsigned char>(word.bytes[0]) == first;
        if (may_match && cv.source_has(pos, word.bytes, word.length)) return true;
    }
    return false;
}

bool head_is_any(const Conversion& cv, const ByteIndex<Word>& words, int offset) {
    int64_t pos = cv.place.next_start + offset;
    for (const Word* word : words.under(cv.source_byte(pos)))
        if (cv.source_has(pos, word->bytes, word->length)) return true;
    return false;
}

bool line_end_passes(const Conversion& cv, int64_t end, std::span<const Word> required,
                     std::span<const Word> excluded) {
    if (!required.empty() && !line_any_ends_at(cv, end, required)) return false;
    return !line_any_ends_at(cv, end, excluded);
}

bool head_passes(const Conversion& cv, std::span<const Word> required, std::span<const Word> excluded) {
    if (!required.empty() && !head_is_any(cv, required)) return false;
    return !head_is_any(cv, excluded);
}

}  // namespace tessaline
