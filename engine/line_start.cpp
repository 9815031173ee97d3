#include "engine/line_start.h"

#include <cstring>

#include "engine/engine_state.h"
#include "engine/quote_marks.h"
#include "engine/space_runs.h"

namespace {

// A rest of the line shorter than this, after an indentation, is a short paragraph start.
constexpr int32_t SHORT_REST = 40;
// A document with this many long lines ending without a space wraps inside words.
constexpr int32_t UNSPACED_HABIT = 10;

const unsigned char CRLF[] = {CR_BYTE, LF_BYTE};
const unsigned char BLANK_LINE[] = {CR_BYTE, LF_BYTE, CR_BYTE, LF_BYTE};

// Removes the line bytes from `from` up to `to`, moving the rest, its line end and NUL forward.
void remove_line_bytes(int32_t from, int32_t to) {
    int32_t& length = engine_state.line_len;
    std::memmove(line_buffer.bytes + from, line_buffer.bytes + to, static_cast<size_t>(length - to) + 1);
    length -= to - from;
}

bool is_mark_pair(int64_t lead_pos, unsigned char trail) {
    return line_byte(lead_pos) == MARK_LEAD && line_byte(lead_pos + 1) == trail;
}

// Sentence-final: . ! ? " ' ] as one byte, or ” and ’ ending at `pos`.
bool sentence_final_at(int64_t pos) {
    unsigned char b = line_byte(pos);
    if (is_sentence_end_byte(b) || b == DOUBLE_QUOTE || b == APOSTROPHE || b == CLOSE_BRACKET) return true;
    return is_mark_pair(pos - 1, CLOSE_DOUBLE_TRAIL) || is_mark_pair(pos - 1, CLOSE_SINGLE_TRAIL);
}

bool output_is_empty() { return engine_state.output_length == 0; }
bool output_ends_line() { return output_byte(static_cast<int64_t>(engine_state.output_length) - 1) == LF_BYTE; }

void expand_full_width_indent() {
    if (!is_mark_pair(0, FULL_WIDTH_SPACE_TRAIL)) return;
    for (int32_t k = 0; k < engine_state.line_len && is_mark_pair(k, FULL_WIDTH_SPACE_TRAIL); k += 2) {
        line_buffer.bytes[k] = SPACE_BYTE;
        line_buffer.bytes[k + 1] = SPACE_BYTE;
    }
}

void drop_leading_spaces() {
    if (line_byte(0) != SPACE_BYTE || engine_state.line_len <= 1) return;
    auto n = static_cast<int32_t>(end_of_spaces(line_buffer.bytes, 0, engine_state.line_len));
    int32_t rest = engine_state.line_len - n;
    unsigned char first = line_byte(n);
    bool starts_paragraph = output_is_empty() || output_ends_line();
    // Only a short paragraph start keeps its indentation, as exactly two spaces.
    bool keep_two = n >= 3 && starts_paragraph && rest < SHORT_REST && first != DOUBLE_QUOTE && first != CR_BYTE;
    remove_line_bytes(0, keep_two ? n - 2 : n);
}

void trim_trailing_spaces() {
    int32_t& length = engine_state.line_len;
    if (length <= 4) return;
    bool wraps_inside_words = document_profile.unspaced_long_lines >= UNSPACED_HABIT;
    if (line_byte(length - 3) == SPACE_BYTE && (!wraps_inside_words || sentence_final_at(length - 4)))
        remove_line_bytes(length - 3, length - 2);
    if (length <= 4 || line_byte(length - 4) != SPACE_BYTE || line_byte(length - 3) != SPACE_BYTE) return;
    auto p = static_cast<int32_t>(start_of_spaces(line_buffer.bytes, length - 5, 1));
    if (p < 1) return;
    // In a document that wraps inside words a trailing space marks a word boundary: one stays.
    bool keep_one = wraps_inside_words && !sentence_final_at(p);
    remove_line_bytes(keep_one ? p + 2 : p + 1, length - 2);
}

bool opens_with_mark() {
    unsigned char b = line_byte(0);
    if (b == DOUBLE_QUOTE || b == APOSTROPHE || b == OPEN_BRACKET) return true;
    return is_mark_pair(0, OPEN_DOUBLE_TRAIL) || is_mark_pair(0, OPEN_SINGLE_TRAIL);
}

bool holds_single_quote_after_start() {
    for (int32_t k = 1; k <= engine_state.line_len - 5; ++k)
        if (line_byte(k) == APOSTROPHE || is_mark_pair(k, OPEN_SINGLE_TRAIL)) return true;
    return false;
}

void separate_opening_mark() {
    if (!opens_with_mark()) return;
    int64_t out_len = engine_state.output_length;
    if (!output_is_empty() && !output_ends_line()) {
        // A quoted line holding a second single quote continues the open sentence.
        if (holds_single_quote_after_start()) {
            if (output_byte(out_len - 1) != SPACE_BYTE) output_append(" ", 1);
        } else {
            output_append(BLANK_LINE, sizeof BLANK_LINE);
        }
        return;
    }
    if (out_len < 3 || output_byte(out_len - 3) == LF_BYTE) return;
    output_append(CRLF, sizeof CRLF);
}

// Whether the apostrophe that ends the output's last line closes a quotation opened on it.
bool output_line_opens_single_quote() {
    for (int64_t q = static_cast<int64_t>(engine_state.output_length) - 5; q >= 1; --q) {
        if (output_byte(q - 3) == LF_BYTE) return false;
        if (output_byte(q) == APOSTROPHE) return true;
        if (output_byte(q) == MARK_LEAD && output_byte(q + 1) == OPEN_SINGLE_TRAIL) return true;
    }
    return false;
}

void blank_after_closing_mark() {
    int64_t out_len = engine_state.output_length;
    if (engine_state.line_len <= 3 || out_len < 4 || !output_ends_line()) return;
    unsigned char c = output_byte(out_len - 3);
    bool pair_lead = output_byte(out_len - 4) == MARK_LEAD;
    if (c == DOUBLE_QUOTE || c == CLOSE_BRACKET || (pair_lead && c == CLOSE_DOUBLE_TRAIL)) {
        output_append(CRLF, sizeof CRLF);
    } else if (c == APOSTROPHE || (pair_lead && c == CLOSE_SINGLE_TRAIL)) {
        if (!output_line_opens_single_quote()) output_append(CRLF, sizeof CRLF);
    }
}

}  // namespace

void normalise_line_start() {
    expand_full_width_indent();
    drop_leading_spaces();
    trim_trailing_spaces();
    separate_opening_mark();
    blank_after_closing_mark();
}
