#include "engine/join_decision.h"

#include <cstring>

#include "engine/board_header.h"
#include "engine/engine_state.h"
#include "engine/line_end_marks.h"
#include "engine/source_scan.h"

namespace {

const char CRLF[] = "\r\n";
const char JOIN_MARK = '`';

bool output_ends_paragraph() {
    return engine_state.output_length == 0 || output_byte(engine_state.output_length - 1) == '\n';
}

// The first source position after the current line whose byte is not a space, CR or LF.
int64_t next_text_position() { return skip_blank_run(engine_state.line_end + 1); }

bool starts_with_opening_quote(int64_t pos) {
    unsigned char c = source_byte(pos);
    return c == '"' || c == '\'' || source_has(pos, "\xA1\xB0", 2) || source_has(pos, "\xA1\xAE", 2);  // “ ‘
}

// A short line after a joined line starts on a line of its own, unless a quotation follows.
void short_line_break() {
    const EngineState& s = engine_state;
    int64_t len = s.line_len;
    if (s.output_length <= 2 || len >= conversion_options.min_line_bytes || len <= 2) return;
    if (is_short_line_stopper() || line_byte(len - 1) == 0) return;
    if (output_ends_paragraph()) return;
    int64_t next = next_text_position();
    if (next < s.source_length && starts_with_opening_quote(next)) return;
    output_append(CRLF, 2);
    // A blank line that a join swallowed after the previous line comes back.
    if (s.following_newlines >= 1) output_append(CRLF, 2);
}

bool starts_with_closing_quote() {
    unsigned char c = line_byte(0);
    return c == '"' || c == '\'' || line_has(0, "\xA1\xB1", 2) || line_has(0, "\xA1\xAF", 2);  // ” ’
}

bool is_kept(int64_t next_text) {
    const EngineState& s = engine_state;
    if (document_profile.unindented_long_lines > 100 && source_byte(next_text - 1) == ' ' &&
        source_byte(next_text - 2) == ' ')
        return true;
    if (s.following_newlines > 1) return true;
    if (s.line_len <= conversion_options.min_line_bytes && output_ends_paragraph() && !starts_with_closing_quote())
        return true;
    if (is_keep_mark()) return true;
    if (line_byte(s.line_len - 1) == 0) return true;
    return is_board_header_line();
}

// The first position from pos on whose byte is neither a space nor a tab; the scan stops at a
// line end, so it stays within one line.
int64_t skip_spaces_and_tabs(int64_t pos) {
    while (pos < engine_state.source_length && (source_byte(pos) == ' ' || source_byte(pos) == '\t')) ++pos;
    return pos;
}

bool is_separator_start(int64_t pos) {
    return source_has(pos, "--", 2) || source_has(pos, "==", 2) || source_has(pos, "//", 2) || source_has(pos, "**", 2);
}

// Cuts the line break and appends what the next line calls for; returns whether it is numbered.
bool prepare_joint() {
    EngineState& s = engine_state;
    line_truncate(s.line_len - 2);
    if (conversion_options.mark_joins == 1) line_append(&JOIN_MARK, 1);
    int64_t after_blanks = skip_spaces_and_tabs(s.line_end + 1);
    unsigned char next_byte = source_byte(after_blanks);
    // A short line before an empty line ends its paragraph with a blank line.
    if (s.line_len < conversion_options.min_line_bytes && (next_byte == '\r' || next_byte == '\n'))
        line_append("\r\n\r\n", 4);
    s.next_start = static_cast<uint32_t>(skip_white_run(s.line_end + 1));
    unsigned char first = source_byte(s.next_start);
    unsigned char second = source_byte(s.next_start + 1);
    bool numbered = first >= '0' && first <= '9' && (second == '.' || second == ':' || second == '-');
    if (numbered) line_append(CRLF, 2);
    if (is_separator_start(s.next_start)) line_append(CRLF, 2);
    return numbered;
}

void finish_joint(bool numbered) {
    EngineState& s = engine_state;
    // An empty line directly after a joined line is swallowed by the join.
    if (!numbered && source_byte(s.line_end + 1) == '\r' && source_byte(s.line_end + 2) == '\n') s.line_end += 2;
    if (!output_ends_paragraph() && line_byte(0) == ' ') {
        std::memmove(line_buffer.bytes, line_buffer.bytes + 1, static_cast<size_t>(s.line_len));
        s.line_len -= 1;
    }
    s.mark_offset = conversion_options.mark_joins == 1 ? 1 : 0;
}

}  // namespace

void join_next_line() { finish_joint(prepare_joint()); }

bool decide_line_end() {
    short_line_break();
    int64_t next_text = next_text_position();
    engine_state.following_newlines = count_run_newlines(engine_state.line_end + 1, next_text);
    if (is_kept(next_text)) return false;
    join_next_line();
    return true;
}
