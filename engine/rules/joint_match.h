#pragma once

#include <cstdint>
#include <span>

#include "engine/rules/byte_index.h"
#include "engine/rules/word.h"

namespace tessaline {

struct Conversion;

// Word comparisons at a joint: the joined line's end in the current line, the next line's
// opening in the source text from next_start. Bytes outside either text read as NUL and match
// nothing.

// The joint rules read the next line's opening at most this far from its first text byte: no
// word of their lists reaches further, its offset included.
constexpr int64_t head_reach = 64;

// Where the joined line's own text ends: before the join mark, when there is one.
int64_t text_end(const Conversion& cv);

// True when the line holds `word` just before position `end`.
bool line_word_ends_at(const Conversion& cv, int64_t end, const Word& word);
bool line_any_ends_at(const Conversion& cv, int64_t end, std::span<const Word> words);

// True when the line's text ends in `word`.
bool tail_is(const Conversion& cv, const Word& word);
bool tail_is_any(const Conversion& cv, std::span<const Word> words);

// The same for a list indexed by its words' last bytes.
bool tail_is_any(const Conversion& cv, const ByteIndex<Word>& words);

// True when the next line holds `word` from its byte `offset` on.
bool head_is(const Conversion& cv, const Word& word, int offset = 0);
bool head_is_any(const Conversion& cv, std::span<const Word> words, int offset = 0);

// The same for a list indexed by its words' first bytes.
bool head_is_any(const Conversion& cv, const ByteIndex<Word>& words, int offset = 0);

// True when the text before `end` ends in one of `required` (when any are given) and in none of
// `excluded`.
bool line_end_passes(const Conversion& cv, int64_t end, std::span<const Word> required, std::span<const Word> excluded);

// True when the next line begins with one of `required` (when any are given) and with none of
// `excluded`.
bool head_passes(const Conversion& cv, std::span<const Word> required, std::span<const Word> excluded);

}  // namespace tessaline
