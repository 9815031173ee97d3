#include "engine/passes/long_sentence_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/passes/orthography_pass.h"
#include "engine/rules/byte_index.h"
#include "engine/rules/sentence_words.h"
#include "engine/text/marks.h"
#include "engine/text/word_match.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

namespace {

constexpr int64_t precount_limit = 100000;  // the pre-count looks at the start of the text only
constexpr int64_t very_long_line = 800;     // bytes of a line that only a joined text reaches
constexpr int32_t splitting_count = 3;      // very long lines that make a document one to split
constexpr int64_t long_paragraph = 300;
constexpr int64_t shortest_segment = 50;
constexpr int64_t short_next_line = 30;
// A paragraph is passed on once the output holds this many bytes after its LF: the blank line
// after a long paragraph depends on the two bytes after the LF and on the next line's length.
constexpr int64_t look_after_paragraph = short_next_line + 2;

const char crlf[] = "\r\n";
const char opening_quote[] = "\xA1\xB0";  // “

// A paragraph of the output text, read in place: NUL before its start and past its end.
struct Paragraph {
    const unsigned char* bytes;
    int64_t length;

    unsigned char at(int64_t pos) const {
        return static_cast<uint64_t>(pos) < static_cast<uint64_t>(length) ? bytes[pos] : 0;
    }
    bool has(int64_t pos, const char* word, int count) const {
        if (count <= 0) return true;
        if (pos < 0 || pos + count > length) return false;
        return matches_word(bytes + pos, word, count);
    }
};

// Position of the first LF from `from` on, or `end` when there is none before it.
int64_t next_lf(const TextWindow& text, int64_t from, int64_t end) { return find_in_window<'\n'>(text, from, end); }

// Where a run of paragraphs that are all shorter than long_paragraph, starting at `start`, ends:
// every paragraph that ends at or before the last LF within the next long_paragraph - 1 bytes is
// short. The run stops before `limit`.
int64_t past_short_paragraphs(const TextWindow& text, int64_t start, int64_t limit) {
    while (true) {
        int64_t window_end = std::min(start + long_paragraph - 1, limit);
        if (window_end <= start) return start;
        int64_t lf = start + find_last_of<'\n'>(text.pointer(start), 0, window_end - start);
        if (lf < start) return start;
        start = lf + 1;
    }
}

// Lines of more than 800 bytes before their LF in the first `limit` bytes, quoted or not, each
// measured as the rules wrote it.
int32_t count_very_long_lines(Conversion& cv, int64_t limit) {
    int32_t count = 0;
    int64_t line_start = 0;
    for (int64_t i = next_lf(cv.output, 0, limit); i < limit; i = next_lf(cv.output, i + 1, limit)) {
        for (int64_t start = line_start; start <= i;) {
            RulesLine line = rules_line(cv.length_notes, start, i);
            if (line.length - 1 > very_long_line) ++count;
            start = line.end;
        }
        line_start = i + 1;
    }
    return count;
}

bool begins_with_quote(const Paragraph& p, int64_t pos) {
    unsigned char first = p.at(pos);
    return first == '"' || first == '\'' || first == '[' || p.has(pos, opening_quote, 2);
}

// Every full stop asks, so the words are found by their first byte.
bool begins_with_any(const Paragraph& p, int64_t pos, const ByteIndex<Word>& words) {
    for (const Word* word : words.under(p.at(pos)))
        if (p.has(pos, word->bytes, word->length)) return true;
    return false;
}

// A full stop after a sentence-final syllable, not doubled, not before a closing mark or the
// line end, and not followed by a word that carries the sentence on.
bool is_sentence_end(const Paragraph& p, int64_t k) {
    if (p.at(k) != '.') return false;
    unsigned char next = p.at(k + 1);
    if (next == '.' || next == '\r' || p.at(k + 2) == '\r') return false;
    if (next != 0 && std::strchr(")]>'\"", next) != nullptr) return false;
    static const ByteIndex<Word> endings(std::span(sentence_endings, sentence_ending_count), first_byte_of);
    static const ByteIndex<Word> continuations(std::span(continuation_heads, continuation_head_count), first_byte_of);
    if (!begins_with_any(p, k - 2, endings)) return false;
    return !begins_with_any(p, k + 2, continuations);
}

// A full stop that ends a line the rules wrote, only the joint's spaces and join mark after it,
// is no sentence end to them: their line end stands right after it.
bool ends_rules_line(const Paragraph& p, int64_t k, int64_t to) {
    int64_t pos = k + 1;
    while (pos < to && (p.at(pos) == ' ' || p.at(pos) == join_mark)) ++pos;
    return pos >= to;
}

// Whether the line after the LF at `lf` is longer than short_next_line bytes with its LF (or,
// the last line, without it); the text is `n` bytes long.
bool next_line_is_long(const TextWindow& text, int64_t lf, int64_t n) {
    int64_t near_end = std::min(n, lf + 1 + short_next_line);
    if (next_lf(text, lf + 1, near_end) < near_end) return false;
    return n > lf + 1 + short_next_line;
}

// One paragraph being split: the bytes of its segments go on to the next pass.
class ParagraphSplit {
public:
    ParagraphSplit(const Conversion& cv, const Paragraph& paragraph, int32_t& long_line_count, OrthographyPass& next)
        : cv_(cv), p_(paragraph), long_line_count_(long_line_count), next_(next) {}

    // One line of the paragraph as the rules wrote it: bytes `from` to `to` of the paragraph,
    // `length` bytes in the rules' output. Counted and split as the rules would have.
    void pass_rules_line(int64_t from, int64_t to, int64_t length) {
        bool quoted = begins_with_quote(p_, from);
        if (long_line_count_ < splitting_count && length > very_long_line && !quoted) ++long_line_count_;
        sentence_count_ = 0;
        if (cv_.options.split_long_sentences && long_line_count_ >= splitting_count && length >= long_paragraph)
            split_sentences(from, to, quoted);
    }

    // The rest of the paragraph after its last segment; returns its length.
    int64_t pass_rest() {
        int64_t rest = p_.length - segment_start_;
        next_.take(p_.bytes + segment_start_, static_cast<size_t>(rest));
        return rest;
    }

private:
    void write_segment(int64_t end, bool quoted) {
        int64_t length = end - segment_start_ + 1;
        next_.take(p_.bytes + segment_start_, static_cast<size_t>(length));
        next_.take(reinterpret_cast<const unsigned char*>(crlf), 2);
        if (length > long_paragraph && cv_.options.blank_after_long && !quoted)
            next_.take(reinterpret_cast<const unsigned char*>(crlf), 2);
    }

    // Breaks bytes `from` to `to` of the paragraph after every second sentence end whose segment
    // is at least 50 bytes long.
    void split_sentences(int64_t from, int64_t to, bool quoted) {
        for (int64_t k = next_full_stop(from, to); k < to; k = next_full_stop(k + 1, to)) {
            if (!is_sentence_end(p_, k) || ends_rules_line(p_, k, to)) continue;
            ++sentence_count_;
            if (sentence_count_ < 2 || k - segment_start_ + 1 < shortest_segment) continue;
            write_segment(k, quoted);
            sentence_count_ = 0;
            segment_start_ = k + 1;
            while (segment_start_ < to && p_.at(segment_start_) == ' ') ++segment_start_;
            k = segment_start_;
        }
    }

    // The first full stop from `from` on, or `to`: only a full stop can end a sentence.
    int64_t next_full_stop(int64_t from, int64_t to) const {
        // The paragraph lies in the output window, which keeps the bytes the search reads past it.
        int64_t end = std::min(to, p_.length);
        if (from >= end) return to;
        int64_t stop = find_first_of<'.'>(p_.bytes, from, end);
        return stop < end ? stop : to;
    }

    const Conversion& cv_;
    const Paragraph& p_;
    int32_t& long_line_count_;
    OrthographyPass& next_;
    int64_t segment_start_ = 0;
    int32_t sentence_count_ = 0;
};

bool wants_blank_line(const Conversion& cv, int64_t rest, int64_t end, int64_t n, bool quoted) {
    if (!cv.options.blank_after_long || rest <= long_paragraph || quoted || end >= n) return false;
    return cv.output_byte(end + 2) != '\n' && next_line_is_long(cv.output, end, n);
}

// One paragraph: the bytes from `start` to its LF at `end`, or to the text's end `end` == n.
void pass_paragraph(Conversion& cv, int32_t& long_line_count, int64_t start, int64_t end, int64_t n,
                    OrthographyPass& next) {
    int64_t length = end - start + (end < n ? 1 : 0);
    Paragraph paragraph{length > 0 ? cv.output.pointer(start) : nullptr, length};
    ParagraphSplit split(cv, paragraph, long_line_count, next);
    for (int64_t from = start; from <= end;) {
        RulesLine line = rules_line(cv.length_notes, from, end);
        split.pass_rules_line(from - start, line.end - start, line.length);
        from = line.end;
    }
    int64_t rest = split.pass_rest();
    if (wants_blank_line(cv, rest, end, n, begins_with_quote(paragraph, 0)))
        next.take(reinterpret_cast<const unsigned char*>(crlf), 2);
}

}  // namespace

void LongSentencePass::take(Conversion& cv, bool finished, OrthographyPass& next) {
    int64_t known = cv.output_length();
    if (!counted_) {
        if (!finished && known < precount_limit) return;
        long_line_count_ = count_very_long_lines(cv, std::min(known, precount_limit));
        counted_ = true;
    }
    // Paragraphs shorter than long_paragraph (as the rules wrote them) pass unchanged, a run of
    // them at once.
    int64_t unchanged_from = paragraph_start_;
    auto pass_unchanged = [&](int64_t through) {
        if (through > unchanged_from)
            next.take(cv.output.pointer(unchanged_from), static_cast<size_t>(through - unchanged_from));
    };
    while (paragraph_start_ <= known) {
        // Where the rules' own lines are the output's, runs of short paragraphs are passed over
        // at once, before the bytes the pass looks at after a paragraph.
        if (cv.length_notes.notes.empty())
            paragraph_start_ = past_short_paragraphs(cv.output, paragraph_start_, known - look_after_paragraph);
        // A long paragraph may come in many pieces: its bytes are searched for the LF once.
        int64_t lf = next_lf(cv.output, std::max(paragraph_start_, searched_), known);
        searched_ = lf;
        if (!finished && (lf == known || lf + look_after_paragraph >= known)) break;
        int64_t bytes = cv.length_notes.notes.empty() ? lf - paragraph_start_ + 1
                                                      : rules_bytes(cv.length_notes, paragraph_start_, lf);
        if (bytes >= long_paragraph) {
            pass_unchanged(paragraph_start_);
            pass_paragraph(cv, long_line_count_, paragraph_start_, lf, known, next);
            unchanged_from = lf + 1;
        }
        paragraph_start_ = lf + 1;
        if (!cv.length_notes.notes.empty()) forget_notes_before(cv.length_notes, paragraph_start_);
    }
    pass_unchanged(std::min(paragraph_start_, known));
}

}  // namespace tessaline
