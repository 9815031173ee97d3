#include "engine/vocabulary/sentences.h"

#include "engine/text/marks.h"
#include "engine/vocabulary/text.h"

namespace tessaline {

namespace {

// A straight double quotation mark, “ or ”.
bool is_double_quotation_mark(const SourceChar& c) {
    return c.code == double_quote || c.code == ((mark_lead << 8) | open_double_trail) ||
           c.code == ((mark_lead << 8) | close_double_trail);
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
        SourceChar c = source_char_at(text, pos);
        if (is_double_quotation_mark(c)) line.flips_quotation = !line.flips_quotation;
        pos += c.width > 0 ? c.width : 1;  // a blank is one byte
    }
    return line;
}

}  // namespace tessaline
