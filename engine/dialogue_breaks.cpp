#include "engine/dialogue_breaks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "engine/engine_state.h"
#include "engine/quote_marks.h"

namespace {

// Brackets count as quotation marks at the scanned position only in bracket-heavy documents.
constexpr int32_t BRACKET_HABIT = 20;
// How far back in the output and ahead in the source a quotation's other mark is looked for.
constexpr int64_t OUTPUT_WINDOW = 49;
constexpr int64_t SOURCE_WINDOW = 49;
// An output shorter than this is never searched for an opening mark.
constexpr int64_t OUTPUT_SEARCH_MIN = 50;

constexpr int64_t SHORT_MOVE = 16;

const unsigned char BLANK_LINE[] = {CR_BYTE, LF_BYTE, CR_BYTE, LF_BYTE};

// The first closing mark in the source after the line, reduced to what break B asks of it.
struct LookAhead {
    bool found;
    bool followed_by_break;
    bool after_sentence_end;
};

// The line as the scan sees it. Breaks only ever go in at the scanned position, so the new
// line is assembled front to back in the scratch buffer while its untouched rest stays in the
// line buffer; nothing before the scanned position changes again, which keeps every search
// over the line incremental.
struct Scan {
    int64_t front;            // bytes of the new line already assembled in the scratch buffer
    int64_t rest;             // line-buffer position where the untouched rest begins
    int64_t original;         // length of the line as it came in
    bool brackets;
    bool indented;            // the line begins with two spaces
    // Both searches read only the output text and the source, which the scan never changes, so
    // each is made the first time a rule asks for it.
    bool output_searched;
    bool output_opener;       // the output's last 49 bytes hold an opening mark after a space
    bool source_searched;
    LookAhead ahead;
    int64_t opener_checked;   // line positions below this have been tested as openers
    bool opener_seen;         // one of them is an opening mark after a space
    int64_t closing;          // line-buffer position of the next closing mark, -1 before any search
};

Scan scan;

int64_t scan_length() { return scan.front + scan.original - scan.rest; }
int64_t rest_position(int64_t x) { return x - scan.front + scan.rest; }

unsigned char rest_byte(int64_t pos) { return pos < scan.original ? line_buffer.bytes[pos] : 0; }

// The byte at `x` of the line as it stands now; NUL before its start and past its end.
unsigned char c(int64_t x) {
    if (x < 0) return 0;
    if (x < scan.front) return scratch_buffer.bytes[x];
    return rest_byte(rest_position(x));
}

bool is_break_byte(unsigned char b) { return b == SPACE_BYTE || b == CR_BYTE || b == LF_BYTE || b == 0; }

// An opening mark at `k` preceded by a space that does not follow a sentence end; brackets count.
template <typename ByteAt>
bool opener_after_space(ByteAt at, int64_t k) {
    unsigned char b = at(k);
    bool mark = b == DOUBLE_QUOTE || b == OPEN_BRACKET || (b == MARK_LEAD && at(k + 1) == OPEN_DOUBLE_TRAIL);
    return mark && at(k - 1) == SPACE_BYTE && !is_sentence_end_byte(at(k - 2));
}

// Bytes of the closing mark starting at `k` (brackets count), or 0 when there is none.
template <typename ByteAt>
int closing_width(ByteAt at, int64_t k) {
    unsigned char b = at(k);
    if (b == DOUBLE_QUOTE || b == CLOSE_BRACKET) return 1;
    return b == MARK_LEAD && at(k + 1) == CLOSE_DOUBLE_TRAIL ? 2 : 0;
}

// Only a quotation mark, a bracket or the lead or closing trail byte of a curly mark can make the
// rules act at a position; every other position is passed over.
constexpr std::array<bool, 256> make_acting_bytes() {
    std::array<bool, 256> acts{};
    acts[DOUBLE_QUOTE] = acts[OPEN_BRACKET] = acts[CLOSE_BRACKET] = acts[MARK_LEAD] = acts[CLOSE_DOUBLE_TRAIL] = true;
    return acts;
}
constexpr std::array<bool, 256> acting_bytes = make_acting_bytes();

bool may_act(unsigned char b) { return acting_bytes[b]; }

bool find_output_opener() {
    int64_t end = engine_state.output_length;
    if (end < OUTPUT_SEARCH_MIN) return false;
    for (int64_t p = end - 1; p >= end - OUTPUT_WINDOW; --p)
        if (may_act(output_text.bytes[p]) && opener_after_space(output_byte, p)) return true;
    return false;
}

LookAhead find_closing_ahead() {
    int64_t from = static_cast<int64_t>(engine_state.line_end) + 1;
    int64_t end = std::min<int64_t>(from + SOURCE_WINDOW, engine_state.source_length);
    for (int64_t k = from; k < end; ++k) {
        if (!may_act(source_text.bytes[k])) continue;
        int width = closing_width(source_byte, k);
        if (width > 0) return {true, is_break_byte(source_byte(k + width)), is_sentence_end_byte(source_byte(k - 1))};
    }
    return {false, false, false};
}

void start_scan() {
    scan = Scan{};
    scan.original = engine_state.line_len;
    scan.brackets = document_profile.bracket_openers > BRACKET_HABIT;
    scan.indented = c(0) == SPACE_BYTE && c(1) == SPACE_BYTE;
    scan.opener_checked = 3;
    scan.closing = -1;
}

bool output_has_opener() {
    if (!scan.output_searched) scan.output_opener = !scan.indented && find_output_opener();
    scan.output_searched = true;
    return scan.output_opener;
}

const LookAhead& closing_ahead() {
    if (!scan.source_searched) scan.ahead = find_closing_ahead();
    scan.source_searched = true;
    return scan.ahead;
}

// Ends the line at `cut` with an empty line and continues it from `resume`.
void insert_break(int64_t cut, int64_t resume) {
    int64_t resume_at = rest_position(resume);
    int64_t moved = cut - scan.front;
    text_buffer_reserve(scratch_buffer, static_cast<size_t>(cut + sizeof BLANK_LINE + 1));
    unsigned char* to = scratch_buffer.bytes + scan.front;
    const unsigned char* from = line_buffer.bytes + scan.rest;
    // Between touching quotations only a byte or two moves; a call to memcpy would cost more.
    if (moved <= SHORT_MOVE) for (int64_t k = 0; k < moved; ++k) to[k] = from[k];
    else std::memcpy(to, from, static_cast<size_t>(moved));
    std::memcpy(scratch_buffer.bytes + cut, BLANK_LINE, sizeof BLANK_LINE);
    scan.front = cut + static_cast<int64_t>(sizeof BLANK_LINE);
    scan.rest = resume_at;
}

void finish_scan() {
    if (scan.front == 0) return;
    int64_t length = scan_length();
    size_t tail = static_cast<size_t>(scan.original - scan.rest);
    text_buffer_reserve(scratch_buffer, static_cast<size_t>(length) + 1);
    std::memcpy(scratch_buffer.bytes + scan.front, line_buffer.bytes + scan.rest, tail);
    scratch_buffer.bytes[length] = 0;
    // The assembled line becomes the line buffer; the old one serves as scratch from now on.
    std::swap(line_buffer, scratch_buffer);
    engine_state.line_len = static_cast<int32_t>(length);
}

// Whether an opening mark after a space stands at positions 3 to i-1. Those bytes never change
// once the scan has passed them, so each position is tested once per line.
bool opener_before(int64_t i) {
    while (!scan.opener_seen && scan.opener_checked < i) {
        scan.opener_seen = opener_after_space(c, scan.opener_checked);
        ++scan.opener_checked;
    }
    return scan.opener_seen;
}

// Position of the first closing mark at or after `from` in the untouched rest, or -1. The scan
// asks from ever later points of the rest, so the answer is remembered until passed.
int64_t next_closing(int64_t from) {
    int64_t start = rest_position(from);
    if (scan.closing < start) {
        scan.closing = scan.original;
        for (int64_t k = start; k < scan.original; ++k) {
            if (closing_width(rest_byte, k) > 0) {
                scan.closing = k;
                break;
            }
        }
    }
    if (scan.closing >= scan.original) return -1;
    return scan.closing - scan.rest + scan.front;
}

// First byte of a closing mark that ends at i and is followed by a space, or -1.
int64_t closing_before_space(int64_t i) {
    int64_t e = -1;
    if (c(i) == DOUBLE_QUOTE) {
        e = i;
    } else if (c(i - 2) != SPACE_BYTE && c(i - 1) == MARK_LEAD && c(i) == CLOSE_DOUBLE_TRAIL && i < scan_length() - 4) {
        e = i - 1;
    } else if (c(i) == CLOSE_BRACKET && scan.brackets) {
        e = i;
    }
    return c(i + 1) == SPACE_BYTE ? e : -1;
}

// A quotation that ends without a sentence end after an opening mark seen after a space is part
// of its sentence; otherwise it ends a paragraph and the spaces after it go.
int64_t after_closing_mark(int64_t i, int64_t e) {
    bool embedded = !is_sentence_end_byte(c(e - 1)) && (opener_before(i) || output_has_opener());
    if (embedded) return i + 1;
    int64_t j = i + 2;
    while (c(j) == SPACE_BYTE) ++j;
    insert_break(i + 1, j);
    return i + 7;
}

bool opening_before_text(int64_t i) {
    unsigned char b = c(i);
    if (b == DOUBLE_QUOTE) return c(i + 1) != SPACE_BYTE;
    if (b == MARK_LEAD && c(i + 1) == OPEN_DOUBLE_TRAIL) return true;
    return b == OPEN_BRACKET && scan.brackets && c(i + 1) != SPACE_BYTE;
}

// A quotation opened at i stands alone unless its closing mark, in the line or just ahead in the
// source, is followed by more text or neither it nor the opening follows a sentence end.
bool opening_stands_alone(int64_t i) {
    bool opened_after_end = is_sentence_end_byte(c(i - 2));
    int64_t k = next_closing(i + 2);
    if (k >= 0) {
        int width = closing_width(c, k);
        return is_break_byte(c(k + width)) && (opened_after_end || is_sentence_end_byte(c(k - 1)));
    }
    const LookAhead& ahead = closing_ahead();
    if (!ahead.found) return true;
    return ahead.followed_by_break && (opened_after_end || ahead.after_sentence_end);
}

int64_t before_opening_mark(int64_t i) {
    if (!opening_before_text(i) || !opening_stands_alone(i)) return i + 1;
    insert_break(i, i);
    return i + 5;
}

bool closing_at(int64_t i) {
    if (c(i) == DOUBLE_QUOTE || (c(i) == CLOSE_BRACKET && scan.brackets)) return true;
    return c(i - 2) != SPACE_BYTE && c(i - 1) == MARK_LEAD && c(i) == CLOSE_DOUBLE_TRAIL;
}

bool opening_at(int64_t i) {
    if (c(i) == DOUBLE_QUOTE || (c(i) == OPEN_BRACKET && scan.brackets)) return true;
    return c(i) == MARK_LEAD && c(i + 1) == OPEN_DOUBLE_TRAIL;
}

// Two quotations that touch are set apart.
int64_t between_touching_marks(int64_t i) {
    if (!closing_at(i) || !opening_at(i + 1) || c(i + 2) == SPACE_BYTE) return i + 1;
    insert_break(i + 1, i + 1);
    return i + 5;
}

// The first position from i on, below `limit`, where a rule may act; read straight from the
// untouched rest, where the scan spends nearly all its time.
int64_t skip_quiet(int64_t i, int64_t limit) {
    if (i < scan.front) return i;
    const unsigned char* rest = line_buffer.bytes + scan.rest - scan.front;
    while (i < limit && !may_act(rest[i])) ++i;
    return i;
}

// Examines position i and returns the next position to examine.
int64_t examine(int64_t i) {
    if (c(i - 1) == SPACE_BYTE) return before_opening_mark(i);
    int64_t e = closing_before_space(i);
    if (e >= 0) return after_closing_mark(i, e);
    return between_touching_marks(i);
}

}  // namespace

void insert_dialogue_breaks() {
    start_scan();
    for (int64_t i = 2; scan_length() >= 5 && i < scan_length() - 3;) {
        i = skip_quiet(i, scan_length() - 3);
        if (i < scan_length() - 3) i = examine(i);
    }
    finish_scan();
}
