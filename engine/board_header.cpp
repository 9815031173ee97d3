#include "engine/board_header.h"

#include "engine/board_header_words.h"
#include "engine/engine_state.h"
#include "engine/word.h"

bool is_board_header_line() {
    for (const Word& word : board_header_words) {
        if (!line_has(0, word.bytes, word.length)) continue;
        if (line_byte(word.length) == ':' || line_byte(word.length + 1) == ':') return true;
    }
    return false;
}
