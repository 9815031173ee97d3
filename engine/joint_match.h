#pragma once

#include <cstdint>
#include <span>

#include "engine/word.h"

// Word comparisons at a joint: the joined line's end in the line buffer, the next line's opening
// in the source text from next_start. Bytes outside either text read as NUL and match nothing.

// Where the joined line's own text ends: before the join mark, when there is one.
int64_t joint_text_end();

// True when the line buffer holds `word` just before position `end`.
bool line_word_ends_at(int64_t end, const Word& word);
bool line_any_ends_at(int64_t end, std::span<const Word> words);

// True when the next line holds `word` from its byte `offset` on.
bool next_line_has(const Word& word, int offset = 0);
bool next_line_has_any(std::span<const Word> words, int offset = 0);

// True when the text before `end` ends in one of `required` (when any are given) and in none of
// `excluded`.
bool line_end_passes(int64_t end, std::span<const Word> required, std::span<const Word> excluded);

// True when the next line begins with one of `required` (when any are given) and with none of
// `excluded`.
bool next_line_passes(std::span<const Word> required, std::span<const Word> excluded);
