#include "engine/board_header.h"

#include "engine/line_text.h"
#include "engine/word.h"

namespace {

// A header word compared over its bytes, with the colon directly after it or after one space.
const Word BOARD_HEADER_WORDS[] = {
    {"\xC1\xA6\x20\xB8\xF1", 5},  // 제 목
    {"\xB9\xF8\x20\xC8\xA3", 5},  // 번 호
    {"\xB5\xEE\xB7\xCF\xC0\xDA", 6},  // 등록자
    {"\xB5\xEE\xB7\xCF\xC0\xCF", 6},  // 등록일
    {"\xC1\xB6\xC8\xB8\xBC\xF6", 6},  // 조회수
    {"\xC0\xDB\xBC\xBA\xC0\xDA", 6},  // 작성자
    {"\xBF\xC3\xB8\xB0\xC0\xCC", 6},  // 올린이
    {"\xC1\xA6\xB8\xF1", 4},  // 제목
    {"\xB9\xF8\xC8\xA3", 4},  // 번호
};

}  // namespace

bool is_board_header_line(const LineText& line) {
    for (const Word& word : BOARD_HEADER_WORDS) {
        if (!line.has(0, word.bytes, word.length)) continue;
        if (line.at(word.length) == ':' || line.at(word.length + 1) == ':') return true;
    }
    return false;
}
