#include "engine/joint_match.h"

#include "engine/engine_state.h"

int64_t text_end() { return int64_t{engine_state.line_len} - engine_state.mark_offset; }

bool line_word_ends_at(int64_t end, const Word& word) {
    return line_has(end - word.length, word.bytes, word.length);
}

// Each list is tried word by word; a word whose last byte differs is passed over at once.
bool line_any_ends_at(int64_t end, std::span<const Word> words) {
    auto last = static_cast<char>(line_byte(end - 1));
    for (const Word& word : words)
        if (word.bytes[word.length - 1] == last && line_word_ends_at(end, word)) return true;
    return false;
}

bool tail_is(const Word& word) { return line_word_ends_at(text_end(), word); }

bool tail_is_any(std::span<const Word> words) { return line_any_ends_at(text_end(), words); }

bool head_is(const Word& word, int offset) {
    return source_has(int64_t{engine_state.next_start} + offset, word.bytes, word.length);
}

bool head_is_any(std::span<const Word> words, int offset) {
    auto first = static_cast<char>(source_byte(int64_t{engine_state.next_start} + offset));
    for (const Word& word : words)
        if (word.bytes[0] == first && head_is(word, offset)) return true;
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
