#include "engine/vocabulary/sentences.h"

#include <algorithm>

#include "engine/passes/conversion.h"
#include "engine/text/byte_search.h"
#include "engine/text/marks.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/readings.h"

namespace tessaline {

namespace {

// A quotation open longer than this many bytes of the paragraph is taken as closed, so that a
// long paragraph is not read again at each of its lines.
constexpr int64_t quotation_reach = 4096;

// Flips `open` at every double quotation mark (straight, “ or ”) of `bytes`, which start on a
// character boundary.
void count_quotation_marks(const unsigned char* bytes, int64_t length, bool& open) {
    for (int64_t k = 0; k < length; ++k) {
        if (bytes[k] == double_quote) open = !open;
        if (bytes[k] < 0x81 || k + 1 >= length) continue;
        if (bytes[k] == mark_lead && (bytes[k + 1] == open_double_trail || bytes[k + 1] == close_double_trail))
            open = !open;
        ++k;  // the character's second byte
    }
}

// Where the last line of `text` up to `end` starts, at most quotation_reach bytes back: after
// its LF, or after a blank, where a character surely starts.
int64_t last_line_start(const TextWindow& text, int64_t end) {
    int64_t limit = std::max(text.base(), end - quotation_reach);
    int64_t pos = end;
    while (pos > limit && text.at(pos - 1) != lf_byte) --pos;
    if (pos == 0 || text.at(pos - 1) == lf_byte) return pos;
    while (pos < end && !is_blank_byte(text.at(pos))) ++pos;
    return pos;
}

}  // namespace

bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end) {
    const unsigned char* bytes = text.pointer(begin);
    int64_t length = end - begin;
    for (int64_t k = find_first_of<'.', '?', '!'>(bytes, 0, length); k < length;
         k = find_first_of<'.', '?', '!'>(bytes, k + 1, length))
        if (k + 1 < length && bytes[k + 1] == space_byte) return true;
    return false;
}

bool sentence_inside_line(const BookVocabulary& book, const TextWindow& text, int64_t line_start, int64_t lf) {
    if (book.wrap.kind == WrapKind::NONE || book.paragraphs_marked || book.blanks_are_spaces) return false;
    int64_t text_end = line_text_end(text, lf);
    return text_end > line_start && holds_sentence_end(text, line_start, text_end);
}

bool sentence_ends_inside_line(Conversion& cv) {
    const JointReading* reading = current_line_reading(cv);
    return reading != nullptr ? reading->sentence_inside
                              : sentence_inside_line(cv.vocabulary, cv.source, cv.place.line_start, cv.place.line_end);
}

bool quotation_open(const Conversion& cv) {
    bool open = false;
    const LineText& line = cv.line;
    int64_t line_end = line.length;
    while (line_end > 0 && (line.at(line_end - 1) == cr_byte || line.at(line_end - 1) == lf_byte)) --line_end;
    int64_t from = line_end;
    while (from > 0 && line.at(from - 1) != lf_byte) --from;
    if (from == 0) {
        const TextWindow& output = cv.output;
        int64_t start = last_line_start(output, output.end());
        count_quotation_marks(output.pointer(start), output.end() - start, open);
    }
    count_quotation_marks(line.bytes() + from, line_end - from, open);
    return open;
}

}  // namespace tessaline
