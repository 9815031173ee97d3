#pragma once

namespace tessaline {

// Whether the `count` bytes at `text`, all inside the text, equal `word`; a NUL in the text never
// matches. The rules compare words at every joint, so the bounds are checked once for the whole
// word by the caller rather than byte by byte.
inline bool matches_word(const unsigned char* text, const char* word, int count) {
    for (int k = 0; k < count; ++k)
        if (text[k] == 0 || text[k] != static_cast<unsigned char>(word[k])) return false;
    return true;
}

}  // namespace tessaline
