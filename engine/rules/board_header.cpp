#include "engine/board_header.h"

#include "engine/board_header_words.h"
#include "engine/byte_index.h"
#include "engine/line_text.h"
#include "engine/word.h"

bool is_board_header_line(const LineText& line) {
    // Every kept line is asked, so the words are found by the line's first byte.
    static const ByteIndex<Word> by_first_byte(board_header_words, first_byte_of);
    for (const Word* word : by_first_byte.under(line.at(0))) {
        if (!line.has(0, word->bytes, word->length)) continue;
        if (line.at(word->length) == ':' || line.at(word->length + 1) == ':') return true;
    }
    return false;
}
