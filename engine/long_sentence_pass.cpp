#include "engine/long_sentence_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/engine_state.h"
#include "engine/sentence_words.h"
#include "engine/vocabulary_lengths.h"

namespace {

constexpr uint32_t PRECOUNT_LIMIT = 100000;   // the pre-count looks at the start of the text only
constexpr int64_t VERY_LONG_LINE = 800;        // bytes of a line that only a joined text reaches
constexpr int32_t SPLITTING_COUNT = 3;         // very long lines that make a document one to split
constexpr int64_t LONG_PARAGRAPH = 300;
constexpr int64_t SHORTEST_SEGMENT = 50;
constexpr int64_t SHORT_NEXT_LINE = 30;
constexpr int64_t NEAR_LOOK = 16;              // bytes looked at one by one before a memchr call pays

const char CRLF[] = "\r\n";
const char OPENING_QUOTE[] = "\xA1\xB0";  // “
const char JOIN_MARK = '`';

int32_t long_line_count;
int64_t segment_start;
int32_t sentence_count;

bool on(int flag) { return flag == 1; }

// Position of the first `wanted` byte from `from` on, or `end` when there is none before it.
int64_t next_byte(const unsigned char* bytes, int64_t from, int64_t end, unsigned char wanted) {
    // Most paragraphs of a dialogue are a few bytes long: a short look comes before memchr.
    for (int64_t near = std::min(end, from + NEAR_LOOK); from < near; ++from)
        if (bytes[from] == wanted) return from;
    if (from >= end) return end;
    const void* hit = std::memchr(bytes + from, wanted, static_cast<size_t>(end - from));
    return hit == nullptr ? end : static_cast<const unsigned char*>(hit) - bytes;
}

// Lines of more than 800 bytes before their LF in the first 100000 bytes, quoted or not, each
// measured as the rules wrote it.
int32_t count_very_long_lines(uint32_t n) {
    uint32_t limit = n < PRECOUNT_LIMIT ? n : PRECOUNT_LIMIT;
    int32_t count = 0;
    uint32_t line_start = 0;
    for (uint32_t i = 0; i < limit; ++i) {
        if (output_byte(i) != '\n') continue;
        for (uint32_t start = line_start; start <= i;) {
            RulesLine line = rules_line(start, i);
            if (line.length - 1 > VERY_LONG_LINE) ++count;
            start = line.end;
        }
        line_start = i + 1;
    }
    return count;
}

// The paragraph's text without the NUL that may end it becomes the line buffer.
void copy_paragraph(uint32_t start, int64_t length) {
    text_buffer_reserve(line_buffer, static_cast<size_t>(length) + 1);
    if (length > 0) std::memcpy(line_buffer.bytes, output_text.bytes + start, static_cast<size_t>(length));
    line_truncate(static_cast<int32_t>(length));
}

bool begins_with_quote(int64_t pos) {
    unsigned char first = line_byte(pos);
    return first == '"' || first == '\'' || first == '[' || line_has(pos, OPENING_QUOTE, 2);
}

bool begins_with_any(int64_t pos, const Word* words, int count) {
    for (int w = 0; w < count; ++w)
        if (line_has(pos, words[w].bytes, words[w].length)) return true;
    return false;
}

// A full stop after a sentence-final syllable, not doubled, not before a closing mark or the
// line end, and not followed by a word that carries the sentence on.
bool is_sentence_end(int64_t k) {
    if (line_byte(k) != '.') return false;
    unsigned char next = line_byte(k + 1);
    if (next == '.' || next == '\r' || line_byte(k + 2) == '\r') return false;
    if (next != 0 && std::strchr(")]>'\"", next) != nullptr) return false;
    if (!begins_with_any(k - 2, sentence_endings, sentence_ending_count)) return false;
    return !begins_with_any(k + 2, continuation_heads, continuation_head_count);
}

void write_segment(int64_t end, bool quoted) {
    int64_t length = end - segment_start + 1;
    second_pass_append(line_buffer.bytes + segment_start, static_cast<size_t>(length));
    second_pass_append(CRLF, 2);
    if (length > LONG_PARAGRAPH && on(conversion_options.blank_after_long) && !quoted) second_pass_append(CRLF, 2);
}

// A full stop that ends a line the rules wrote, only the joint's spaces and join mark after it,
// is no sentence end to them: their line end stands right after it.
bool ends_rules_line(int64_t k, int64_t to) {
    int64_t pos = k + 1;
    while (pos < to && (line_byte(pos) == ' ' || line_byte(pos) == JOIN_MARK)) ++pos;
    return pos >= to;
}

// Breaks bytes `from` to `to` of the paragraph after every second sentence end whose segment is
// at least 50 bytes long.
void split_sentences(int64_t from, int64_t to, bool quoted) {
    for (int64_t k = from; k < to; ++k) {
        if (!is_sentence_end(k) || ends_rules_line(k, to)) continue;
        ++sentence_count;
        if (sentence_count < 2 || k - segment_start + 1 < SHORTEST_SEGMENT) continue;
        write_segment(k, quoted);
        sentence_count = 0;
        segment_start = k + 1;
        while (segment_start < to && line_byte(segment_start) == ' ') ++segment_start;
        k = segment_start;
    }
}

// The next line's length with its LF, or up to the end of the text when it has none.
int64_t next_line_length(uint32_t lf, uint32_t n) {
    int64_t q = next_byte(output_text.bytes, int64_t{lf} + 1, n, '\n');
    return q < n ? q - lf : n - lf - 1;
}

bool wants_blank_line(int64_t rest, uint32_t end, uint32_t n, bool quoted) {
    if (!on(conversion_options.blank_after_long) || rest <= LONG_PARAGRAPH || quoted || end >= n) return false;
    return output_byte(static_cast<int64_t>(end) + 2) != '\n' && next_line_length(end, n) > SHORT_NEXT_LINE;
}

// One line of the paragraph as the rules wrote it: bytes `from` to `to` of the line buffer,
// `length` bytes in the rules' output. Counted and split as the rules would have.
void pass_rules_line(int64_t from, int64_t to, int64_t length) {
    bool quoted = begins_with_quote(from);
    if (long_line_count < SPLITTING_COUNT && length > VERY_LONG_LINE && !quoted) ++long_line_count;
    sentence_count = 0;
    if (on(conversion_options.split_long_sentences) && long_line_count >= SPLITTING_COUNT && length >= LONG_PARAGRAPH)
        split_sentences(from, to, quoted);
}

// One paragraph: the bytes from `start` to its LF, or to the text's NUL at `end` == n.
void pass_paragraph(uint32_t start, uint32_t end, uint32_t n) {
    int64_t length = static_cast<int64_t>(end) - start + 1;
    copy_paragraph(start, end < n ? length : length - 1);
    segment_start = 0;
    for (uint32_t from = start; from <= end;) {
        RulesLine line = rules_line(from, end);
        pass_rules_line(from - start, line.end - start, line.length);
        from = line.end;
    }
    int64_t rest = engine_state.line_len - segment_start;
    second_pass_append(line_buffer.bytes + segment_start, static_cast<size_t>(rest));
    if (wants_blank_line(rest, end, n, begins_with_quote(0))) second_pass_append(CRLF, 2);
}

}  // namespace

// The pass moves the file bar from 50 to 75; returns the position where it moves next.
uint64_t report_progress(uint64_t position, uint32_t n) {
    uint64_t quarter_step = (uint64_t{n} / 100 + 1) * 4;
    report_file_progress(static_cast<int>(position / quarter_step + 50));
    return (position / quarter_step + 1) * quarter_step;
}

void long_sentence_pass() {
    uint32_t n = engine_state.output_length;
    long_line_count = count_very_long_lines(n);
    text_buffer_reset(second_pass_buffer, static_cast<size_t>(n * 1.2) + 1000);
    engine_state.second_pass_length = 0;
    uint32_t paragraph_start = 0;
    // Paragraphs shorter than LONG_PARAGRAPH (as the rules wrote them) pass unchanged, so a run of
    // them is copied at once.
    uint32_t unchanged_start = 0;
    uint64_t next_report = 0;
    bool as_the_rules_wrote = any_length_notes();
    for (uint64_t position = 0; position <= n; ++position) {
        position = static_cast<uint64_t>(next_byte(output_text.bytes, static_cast<int64_t>(position), n, '\n'));
        int64_t bytes = as_the_rules_wrote ? rules_bytes(paragraph_start, static_cast<uint32_t>(position))
                                           : static_cast<int64_t>(position) - paragraph_start + 1;
        if (bytes >= LONG_PARAGRAPH) {
            second_pass_append(output_text.bytes + unchanged_start, paragraph_start - unchanged_start);
            pass_paragraph(paragraph_start, static_cast<uint32_t>(position), n);
            unchanged_start = static_cast<uint32_t>(std::min<uint64_t>(position + 1, n));
        }
        if (position >= next_report) next_report = report_progress(position, n);
        paragraph_start = static_cast<uint32_t>(position + 1);
    }
    second_pass_append(output_text.bytes + unchanged_start, n - unchanged_start);
}
