#pragma once

#include <cstdint>
#include <span>

#include "engine/word.h"

// Word comparisons at a joint: the joined line's end in the line buffer, the next line's opening
// in the source text from next_start. Bytes outside either text read as NUL and match nothing.

// Where the joined line's own text ends: before the join mark, when there is one.
int64_t text_end();

// True when the line buffer holds `word` just before position `end`.
bool line_word_ends_at(int64_t end, const Word& word);
bool line_any_ends_at(int64_t end, std::span<const Word> words);

// True when the line's text ends in `word`.
bool tail_is(const Word& word);
bool tail_is_any(std::span<const Word> words);

// True when the next line holds `word` from its byte `offset` on.
bool head_is(const Word& word, int offset = 0);
bool head_is_any(std::span<const Word> words, int offset = 0);

// True when the text before `end` ends in one of `required` (when any are given) and in none of
// `excluded`.
bool line_end_passes(int64_t end, std::span<const Word> required, std::span<const Word> excluded);

// True when the next line begins with one of `required` (when any are given) and with none of
// `excluded`.
bool head_passes(std::span<const Word> required, std::span<const Word> excluded);
