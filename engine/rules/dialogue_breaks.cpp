#include "engine/rules/dialogue_breaks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "engine/passes/conversion.h"
#include "engine/passes/prescan.h"
#include "engine/text/byte_search.h"
#include "engine/text/marks.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

namespace {

// An output shorter than this is never searched for an opening mark.
constexpr int64_t output_search_min = 50;

constexpr int64_t short_move = 16;

// A grown line goes on to the next rules from its front each time it has grown this far past
// what went before, so it is held at about this size.
constexpr int64_t front_step = int64_t{1} << 20;
// Its last bytes stay: the join rules read the line's end and compare its length with at most
// twice the longest minimum line length, 19,998 bytes.
constexpr int64_t kept_end_bytes = int64_t{1} << 15;
// Its first bytes stay as well, for the rules that read a line's start (a board header's word).
constexpr int64_t kept_start_bytes = 64;
// A piece ends only where no space or parenthesis lies this near on either side: a gloss reaches
// 20 bytes back and 19 ahead, so the squeezing of spaces and Hanja removal act on each side alone.
constexpr int64_t quiet_reach = 24;
// Where a line offers no such place, the next one is looked for after this many more bytes.
constexpr int64_t front_retry = 4096;

const unsigned char blank_line[] = {cr_byte, lf_byte, cr_byte, lf_byte};

// The first closing mark in the source after the line, reduced to what break B asks of it.
struct LookAhead {
    bool found;
    bool followed_by_break;
    bool after_sentence_end;
    bool runs_on;  // in the vocabulary mode: the book's 하고 or 하며 follows it
};

// In the vocabulary mode, a book that writes a quotation and the 하고 or 하며 after it on one
// line keeps such quotations in their sentences, also where a line end parts them.
bool quotations_run_on(const Conversion& cv) { return cv.vocabulary_mode() && cv.vocabulary.quotations_run_on; }

// Whether one or more spaces from `pos` lead to a quotative word.
template <typename ByteAt>
bool quotative_after_spaces(ByteAt at, int64_t pos) {
    int64_t word = pos;
    while (at(word) == space_byte) ++word;
    return word > pos && quotative_at(at, word);
}

bool is_break_byte(unsigned char b) { return b == space_byte || b == cr_byte || b == lf_byte || b == 0; }

// An opening mark at `k` preceded by a space that does not follow a sentence end; brackets count.
template <typename ByteAt>
bool opener_after_space(ByteAt at, int64_t k) {
    unsigned char b = at(k);
    bool mark = b == double_quote || b == open_bracket || (b == mark_lead && at(k + 1) == open_double_trail);
    return mark && at(k - 1) == space_byte && !is_sentence_end_byte(at(k - 2));
}

// Bytes of the closing mark starting at `k` (brackets count), or 0 when there is none.
template <typename ByteAt>
int closing_width(ByteAt at, int64_t k) {
    unsigned char b = at(k);
    if (b == double_quote || b == close_bracket) return 1;
    return b == mark_lead && at(k + 1) == close_double_trail ? 2 : 0;
}

// Only a quotation mark, a bracket, the lead byte of a curly mark or the closing trail byte after
// it can make the rules act at a position; every other position is passed over.
bool may_act(unsigned char b) {
    return b == double_quote || b == open_bracket || b == close_bracket || b == mark_lead || b == close_double_trail;
}

// The same for a run of bytes. A lead byte matters only before an opening or closing trail byte:
// any other byte after it, the lead byte and that byte pass without a rule acting, and the lead
// byte is common as the trail byte of Hangul syllables such as 가. The trail byte is left to the
// position after its lead byte, as it is a common Hangul lead byte too.
int64_t next_acting(const unsigned char* bytes, int64_t from, int64_t to) {
    return find_first_of_or_pair<mark_lead, open_double_trail, close_double_trail, double_quote, open_bracket,
                                 close_bracket>(bytes, from, to);
}

bool find_output_opener(const Conversion& cv) {
    int64_t end = cv.output_length();
    if (end < output_search_min) return false;
    auto at = [&cv](int64_t pos) { return cv.output_byte(pos); };
    const unsigned char* bytes = cv.output.pointer(end - dialogue_output_window);
    for (int64_t k = dialogue_output_window - 1; k >= 0; --k)
        if (may_act(bytes[k]) && opener_after_space(at, end - dialogue_output_window + k)) return true;
    return false;
}

LookAhead find_closing_ahead(const Conversion& cv) {
    int64_t from = cv.place.line_end + 1;
    int64_t end = std::min<int64_t>(from + dialogue_source_window, cv.source_length());
    auto at = [&cv](int64_t pos) { return cv.source_byte(pos); };
    for (int64_t k = from; k < end; ++k) {
        if (!may_act(cv.source_byte(k))) continue;
        int width = closing_width(at, k);
        if (width > 0)
            return {true, is_break_byte(at(k + width)), is_sentence_end_byte(at(k - 1)),
                    quotations_run_on(cv) && quotative_after_spaces(at, k + width)};
    }
    return {false, false, false, false};
}

// The line as the scan sees it. Breaks only ever go in at the scanned position, so the new
// line is assembled front to back in the scratch line while its untouched rest stays in the
// line; nothing before the scanned position changes again, which keeps every search over the
// line incremental.
class DialogueScan {
public:
    DialogueScan(Conversion& cv, GrownLineFront* front)
        : cv_(cv), line_(cv.line), scratch_(cv.scratch), original_(cv.line.length),
          brackets_(cv.profile.bracket_openers > bracket_habit), runs_on_(cv.vocabulary_mode()) {
        indented_ = c(0) == space_byte && c(1) == space_byte;
        // The join drops a space that starts the line, which a line sent from its front could not.
        front_sink_ = c(0) == space_byte ? nullptr : front;
        if (front_sink_ == nullptr) next_send_ = INT64_MAX;
    }

    // Where the bytes of the line not yet taken by the front's sink begin.
    int64_t unsent() const { return sent_ == 0 ? 0 : start_end_; }

    // Scans from `first`, the first position that may act.
    void run(int64_t first) {
        for (int64_t i = first; scan_length() >= 5 && i < scan_length() - 3;) {
            i = skip_quiet(i, scan_length() - 3);
            if (i < scan_length() - 3) i = examine(i);
        }
        finish();
    }

private:
    int64_t scan_length() const { return front_ + original_ - rest_; }
    int64_t rest_position(int64_t x) const { return x - front_ + rest_; }

    unsigned char rest_byte(int64_t pos) const { return pos < original_ ? line_.bytes()[pos] : 0; }

    // The byte at `x` of the line as it stands now; NUL before its start and past its end.
    unsigned char c(int64_t x) const {
        if (x < 0) return 0;
        if (x < front_) return scratch_.bytes()[x - dropped_];
        return rest_byte(rest_position(x));
    }

    // Both searches read only the output text and the source, which the scan never changes, so
    // each is made the first time a rule asks for it.
    bool output_has_opener() {
        if (!output_searched_) output_opener_ = !indented_ && find_output_opener(cv_);
        output_searched_ = true;
        return output_opener_;
    }

    const LookAhead& closing_ahead() {
        if (!source_searched_) ahead_ = find_closing_ahead(cv_);
        source_searched_ = true;
        return ahead_;
    }

    // Ends the line at `cut` with an empty line and continues it from `resume`.
    void insert_break(int64_t cut, int64_t resume) {
        int64_t resume_at = rest_position(resume);
        int64_t moved = cut - front_;
        scratch_.reserve(static_cast<size_t>(cut - dropped_) + sizeof blank_line);
        unsigned char* to = scratch_.bytes() + front_ - dropped_;
        const unsigned char* from = line_.bytes() + rest_;
        // Between touching quotations only a byte or two moves; a call to memcpy would cost more.
        if (moved <= short_move)
            for (int64_t k = 0; k < moved; ++k) to[k] = from[k];
        else std::memcpy(to, from, static_cast<size_t>(moved));
        std::memcpy(scratch_.bytes() + cut - dropped_, blank_line, sizeof blank_line);
        front_ = cut + static_cast<int64_t>(sizeof blank_line);
        rest_ = resume_at;
        if (front_ >= next_send_) send_front();
    }

    // Hands the front of a long grown line to the sink, up to a quiet place well before the scanned
    // position, keeping the line's first bytes. The scan reads back only a few bytes and, for an
    // opener, every byte once, which is done first.
    // Out of line, as it is seldom called from the scan's innermost step.
    [[gnu::noinline]] void send_front() {
        next_send_ = front_ + front_retry;
        int64_t cut = front_ - kept_end_bytes;
        if (!quiet_at(cut)) return;
        test_openers_before(cut);
        output_has_opener();  // asked of the output before the line's front joins it
        unsigned char* bytes = scratch_.bytes();
        if (sent_ == 0) {
            start_end_ = start_length();
            std::memcpy(start_.data(), bytes, static_cast<size_t>(start_end_));
        }
        front_sink_->take(bytes, sent_ - dropped_, cut - dropped_);
        if (sent_ == 0) std::memcpy(bytes, start_.data(), static_cast<size_t>(start_end_));
        std::memmove(bytes + start_end_, bytes + cut - dropped_, static_cast<size_t>(front_ - cut));
        dropped_ = cut - start_end_;
        sent_ = cut;
        next_send_ = cut + front_step + kept_end_bytes;
    }

    // A piece may end before `cut` when no space or parenthesis lies near it and the two bytes
    // before it are ASCII, so a character starts at `cut` for the rules that step through the line
    // by characters.
    bool quiet_at(int64_t cut) const {
        if (c(cut - 1) >= 0x80 || c(cut - 2) >= 0x80) return false;
        const unsigned char* near = scratch_.bytes() + (cut - quiet_reach - dropped_);
        return find_first_of<space_byte, '('>(near, 0, 2 * quiet_reach) == 2 * quiet_reach;
    }

    // An opener follows a space: where the bytes up to `cut` hold none, none of them is tested.
    void test_openers_before(int64_t cut) {
        int64_t from = std::max(opener_checked_ - 1, sent_) - dropped_;
        int64_t to = cut - 1 - dropped_;
        if (from < to && find_first_of<space_byte>(scratch_.bytes(), from, to) == to)
            opener_checked_ = std::max(opener_checked_, cut);
        opener_before(cut);
    }

    // The line's first bytes that stay, ending where a character ends.
    int64_t start_length() const {
        int64_t end = 0;
        while (end < kept_start_bytes) end += c(end) >= 0x80 ? 2 : 1;
        return end;
    }

    void finish() {
        if (front_ == 0) return;
        int64_t length = scan_length() - dropped_;
        auto tail = static_cast<size_t>(original_ - rest_);
        scratch_.reserve(static_cast<size_t>(length));
        std::memcpy(scratch_.bytes() + front_ - dropped_, line_.bytes() + rest_, tail);
        scratch_.truncate(length);
        // The assembled line becomes the line; the old one serves as scratch from now on.
        std::swap(line_, scratch_);
    }

    // Whether an opening mark after a space stands at positions 3 to i-1. Those bytes never
    // change once the scan has passed them, so each position is tested once per line.
    bool opener_before(int64_t i) {
        auto at = [this](int64_t x) { return c(x); };
        while (!opener_seen_ && opener_checked_ < i) {
            opener_checked_ = next_opening_mark(opener_checked_, i);
            if (opener_checked_ >= i) break;
            opener_seen_ = opener_after_space(at, opener_checked_);
            ++opener_checked_;
        }
        return opener_seen_;
    }

    // The first position from `from` on, below `to`, that holds the first byte of an opening mark.
    int64_t next_opening_mark(int64_t from, int64_t to) const {
        if (from < front_) {
            int64_t found = find_first_of<double_quote, open_bracket, mark_lead>(scratch_.bytes(), from - dropped_,
                                                                                 std::min(to, front_) - dropped_) +
                            dropped_;
            if (found < std::min(to, front_) || to <= front_) return found;
            from = front_;
        }
        return find_first_of<double_quote, open_bracket, mark_lead>(line_.bytes() + rest_ - front_, from, to);
    }

    // Position of the first closing mark at or after `from` in the untouched rest, or -1. The
    // scan asks from ever later points of the rest, so the answer is remembered until passed.
    int64_t next_closing(int64_t from) {
        int64_t start = rest_position(from);
        if (closing_ < start) {
            auto at = [this](int64_t pos) { return rest_byte(pos); };
            closing_ = original_;
            for (int64_t k = start; k < original_; ++k) {
                k = find_first_of<double_quote, close_bracket, mark_lead>(line_.bytes(), k, original_);
                if (k < original_ && closing_width(at, k) > 0) {
                    closing_ = k;
                    break;
                }
            }
        }
        if (closing_ >= original_) return -1;
        return closing_ - rest_ + front_;
    }

    // First byte of a closing mark that ends at i and is followed by a space, or -1.
    int64_t closing_before_space(int64_t i) const {
        int64_t e = -1;
        if (c(i) == double_quote) {
            e = i;
        } else if (c(i - 2) != space_byte && c(i - 1) == mark_lead && c(i) == close_double_trail &&
                   i < scan_length() - 4) {
            e = i - 1;
        } else if (c(i) == close_bracket && brackets_) {
            e = i;
        }
        return c(i + 1) == space_byte ? e : -1;
    }

    // Whether a quotative word follows the closing mark that ends before `pos` on the line, in the
    // vocabulary mode: there the book itself wrote the quotation into its sentence.
    bool runs_on_after(int64_t pos) const {
        auto at = [this](int64_t x) { return c(x); };
        return runs_on_ && quotative_after_spaces(at, pos);
    }

    // A quotation that ends without a sentence end after an opening mark seen after a space is
    // part of its sentence, as is one the book runs on into its 하고; otherwise it ends a
    // paragraph and the spaces after it go.
    int64_t after_closing_mark(int64_t i, int64_t e) {
        bool embedded = !is_sentence_end_byte(c(e - 1)) && (opener_before(i) || output_has_opener());
        if (embedded || runs_on_after(i + 1)) return i + 1;
        int64_t j = i + 2;
        while (c(j) == space_byte) ++j;
        insert_break(i + 1, j);
        return i + 7;
    }

    bool opening_before_text(int64_t i) const {
        unsigned char b = c(i);
        if (b == double_quote) return c(i + 1) != space_byte;
        if (b == mark_lead && c(i + 1) == open_double_trail) return true;
        return b == open_bracket && brackets_ && c(i + 1) != space_byte;
    }

    // A quotation opened at i stands alone unless its closing mark, in the line or just ahead in
    // the source, is followed by more text (or by a 하고 the book runs quotations on into) or
    // neither it nor the opening follows a sentence end.
    bool opening_stands_alone(int64_t i) {
        bool opened_after_end = is_sentence_end_byte(c(i - 2));
        int64_t k = next_closing(i + 2);
        if (k >= 0) {
            auto at = [this](int64_t x) { return c(x); };
            int width = closing_width(at, k);
            return is_break_byte(c(k + width)) && !runs_on_after(k + width) &&
                   (opened_after_end || is_sentence_end_byte(c(k - 1)));
        }
        const LookAhead& ahead = closing_ahead();
        if (!ahead.found) return true;
        return ahead.followed_by_break && !ahead.runs_on && (opened_after_end || ahead.after_sentence_end);
    }

    int64_t before_opening_mark(int64_t i) {
        if (!opening_before_text(i) || !opening_stands_alone(i)) return i + 1;
        insert_break(i, i);
        return i + 5;
    }

    bool closing_at(int64_t i) const {
        if (c(i) == double_quote || (c(i) == close_bracket && brackets_)) return true;
        return c(i - 2) != space_byte && c(i - 1) == mark_lead && c(i) == close_double_trail;
    }

    bool opening_at(int64_t i) const {
        if (c(i) == double_quote || (c(i) == open_bracket && brackets_)) return true;
        return c(i) == mark_lead && c(i + 1) == open_double_trail;
    }

    // Two quotations that touch are set apart.
    int64_t between_touching_marks(int64_t i) {
        if (!closing_at(i) || !opening_at(i + 1) || c(i + 2) == space_byte) return i + 1;
        insert_break(i + 1, i + 1);
        return i + 5;
    }

    // The first position from i on, below `limit`, where a rule may act; read straight from the
    // untouched rest, where the scan spends nearly all its time. The position after a lead byte
    // is always examined, as a closing trail byte there may act.
    int64_t skip_quiet(int64_t i, int64_t limit) const {
        if (i < front_ || c(i - 1) == mark_lead) return i;
        // Among touching quotations the next mark mostly stands right here: no search for it.
        unsigned char b = rest_byte(rest_position(i));
        if (b == double_quote || b == open_bracket || b == close_bracket) return i;
        return next_acting(line_.bytes() + rest_ - front_, i, limit);
    }

    // Examines position i and returns the next position to examine.
    int64_t examine(int64_t i) {
        if (c(i - 1) == space_byte) return before_opening_mark(i);
        int64_t e = closing_before_space(i);
        if (e >= 0) return after_closing_mark(i, e);
        return between_touching_marks(i);
    }

    Conversion& cv_;
    LineText& line_;
    LineText& scratch_;
    int64_t front_ = 0;  // bytes of the new line already assembled, the scratch line holding them
    GrownLineFront* front_sink_ = nullptr;
    int64_t sent_ = 0;       // bytes of the new line taken by the front's sink
    int64_t dropped_ = 0;    // ... of them, those the scratch line no longer holds after its first bytes
    int64_t start_end_ = 0;  // the first bytes kept, once the front has been taken
    std::array<unsigned char, kept_start_bytes + 1> start_{};
    int64_t next_send_ = front_step + kept_end_bytes;  // the front is handed on once it reaches this
    int64_t rest_ = 0;                                 // line position where the untouched rest begins
    int64_t original_;                                 // length of the line as it came in
    bool brackets_;
    bool runs_on_;           // quotations run on into a 하고 that follows them on the line
    bool indented_ = false;  // the line begins with two spaces
    bool output_searched_ = false;
    bool output_opener_ = false;  // the output's last 49 bytes hold an opening mark after a space
    bool source_searched_ = false;
    LookAhead ahead_{};
    int64_t opener_checked_ = 3;  // line positions below this have been tested as openers
    bool opener_seen_ = false;    // one of them is an opening mark after a space
    int64_t closing_ = -1;        // line position of the next closing mark, -1 before any search
};

}  // namespace

int64_t insert_dialogue_breaks(Conversion& cv, GrownLineFront* front) {
    // Many lines hold no mark at all where the scan looks, from position 2 on; a lead byte at 1
    // acts through the trail byte at 2.
    int64_t limit = cv.line.length - 3;
    if (cv.line.length < 5) return 0;
    int64_t first = next_acting(cv.line.bytes(), 1, limit);
    if (first >= limit) return 0;
    DialogueScan scan(cv, front);
    scan.run(std::max<int64_t>(first, 2));
    return scan.unsent();
}

}  // namespace tessaline
