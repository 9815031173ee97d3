#include "engine/vocabulary/sentences.h"

#include "engine/text/marks.h"

namespace tessaline {

namespace {

// A double quotation mark from `pos`: straight, “ or ”; its width, or 0.
int64_t double_quotation_mark(const TextWindow& text, int64_t pos) {
    if (text.at(pos) == double_quote) return 1;
    bool curly =
        text.at(pos) == mark_lead && (text.at(pos + 1) == open_double_trail || text.at(pos + 1) == close_double_trail);
    return curly ? 2 : 0;
}

}  // namespace

bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end) {
    for (int64_t pos = begin; pos + 1 < end; ++pos)
        if (is_sentence_end_byte(text.at(pos)) && text.at(pos + 1) == space_byte) return true;
    return false;
}

LineSentences read_line_sentences(const TextWindow& text, int64_t begin, int64_t end) {
    LineSentences line{holds_sentence_end(text, begin, end), false};
    for (int64_t pos = begin; pos < end;) {
        int64_t quotation = double_quotation_mark(text, pos);
        if (quotation > 0) line.flips_quotation = !line.flips_quotation;
        pos += quotation > 0 ? quotation : (text.at(pos) >= 0x80 ? 2 : 1);
    }
    return line;
}

}  // namespace tessaline
