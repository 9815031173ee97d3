#include "engine/board_header.h"

#include "engine/board_header_words.h"
#include "engine/line_text.h"
#include "engine/word.h"

bool is_board_header_line(const LineText& line) {
    for (const Word& word : board_header_words) {
        if (!line.has(0, word.bytes, word.length)) continue;
        if (line.at(word.length) == ':' || line.at(word.length + 1) == ':') return true;
    }
    return false;
}
