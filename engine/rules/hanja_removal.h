#pragma once

namespace tessaline {

struct Conversion;

// Removes from the current line the parenthesised glosses exactly as long as the word before them.
void remove_hanja_glosses(Conversion& cv);

}  // namespace tessaline
