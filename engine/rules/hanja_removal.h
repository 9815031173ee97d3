#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// Removes from the current line the parenthesised glosses exactly as long as the word before
// them, from position `from` on (the bytes before it have gone out already, and no gloss reaches
// them).
void remove_hanja_glosses(Conversion& cv, int64_t from = 0);

// The same over bytes from..to of a line whose first bytes lie at `bytes` and which goes on after
// `to`, with no gloss reaching across `to`. Returns where the remaining bytes end.
int64_t remove_hanja_in_piece(const Conversion& cv, unsigned char* bytes, int64_t from, int64_t to);

}  // namespace tessaline
