#pragma once

#include "engine/rules/word.h"

namespace tessaline {

// Syllables that end a declarative or questioning sentence before its full stop.
extern const Word sentence_endings[];
extern const int sentence_ending_count;

// Words that carry a sentence on from the one before it, so no break falls in front of them.
extern const Word continuation_heads[];
extern const int continuation_head_count;

}  // namespace tessaline
