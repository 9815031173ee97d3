#include "engine/joint_match.h"

#include "engine/engine_state.h"

int64_t joint_text_end() { return int64_t{engine_state.line_len} - engine_state.mark_offset; }

bool line_word_ends_at(int64_t end, const Word& word) {
    return line_has(end - word.length, word.bytes, word.length);
}

bool line_any_ends_at(int64_t end, std::span<const Word> words) {
    for (const Word& word : words)
        if (line_word_ends_at(end, word)) return true;
    return false;
}

bool next_line_has(const Word& word, int offset) {
    return source_has(int64_t{engine_state.next_start} + offset, word.bytes, word.length);
}

bool next_line_has_any(std::span<const Word> words, int offset) {
    for (const Word& word : words)
        if (next_line_has(word, offset)) return true;
    return false;
}

bool line_end_passes(int64_t end, std::span<const Word> required, std::span<const Word> excluded) {
    if (!required.empty() && !line_any_ends_at(end, required)) return false;
    return !line_any_ends_at(end, excluded);
}

bool next_line_passes(std::span<const Word> required, std::span<const Word> excluded) {
    if (!required.empty() && !next_line_has_any(required)) return false;
    return !next_line_has_any(excluded);
}
