#include "engine/joint_match.h"

#include "engine/engine_state.h"

int64_t text_end() { return int64_t{engine_state.line_len} - engine_state.mark_offset; }

// The last byte is compared first: most words of a list differ there and are passed over at once.
bool line_word_ends_at(int64_t end, const Word& word) {
    if (word.length > 0 && static_cast<unsigned char>(word.bytes[word.length - 1]) != line_byte(end - 1)) return false;
    return line_has(end - word.length, word.bytes, word.length);
}

bool line_any_ends_at(int64_t end, std::span<const Word> words) {
    for (const Word& word : words)
        if (line_word_ends_at(end, word)) return true;
    return false;
}

bool tail_is(const Word& word) { return line_word_ends_at(text_end(), word); }

bool tail_is_any(std::span<const Word> words) { return line_any_ends_at(text_end(), words); }

// The first byte is compared first, for the same reason.
bool head_is(const Word& word, int offset) {
    int64_t pos = int64_t{engine_state.next_start} + offset;
    if (word.length > 0 && static_cast<unsigned char>(word.bytes[0]) != source_byte(pos)) return false;
    return source_has(pos, word.bytes, word.length);
}

bool head_is_any(std::span<const Word> words, int offset) {
    for (const Word& word : words)
        if (head_is(word, offset)) return true;
    return false;
}

bool line_end_passes(int64_t end, std::span<const Word> required, std::span<const Word> excluded) {
    if (!required.empty() && !line_any_ends_at(end, required)) return false;
    return !line_any_ends_at(end, excluded);
}

bool head_passes(std::span<const Word> required, std::span<const Word> excluded) {
    if (!required.empty() && !head_is_any(required)) return false;
    return !head_is_any(excluded);
}
