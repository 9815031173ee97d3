#include "engine/rules/board_header.h"

#include "engine/rules/board_header_words.h"
#include "engine/rules/byte_index.h"
#include "engine/rules/word.h"
#include "engine/text/line_text.h"

namespace tessaline {

bool is_board_header_line(const LineText& line) {
    // Every kept line is asked, so the words are found by the line's first byte.
    static const ByteIndex<Word> by_first_byte(board_header_words, first_byte_of);
    for (const Word* word : by_first_byte.under(line.at(0))) {
        if (!line.has(0, word->bytes, word->length)) continue;
        if (line.at(word->length) == ':' || line.at(word->length + 1) == ':') return true;
    }
    return false;
}

}  // namespace tessaline
