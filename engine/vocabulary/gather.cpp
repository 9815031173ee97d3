#include "engine/vocabulary/gather.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/vocabulary/evidence.h"
#include "engine/vocabulary/store.h"
#include "engine/vocabulary/text.h"

namespace tessaline {

namespace {

// How a syllable meets the syllable before it, if one stands there.
enum class SyllableGap { NONE, TOGETHER, APART };

// One line's walk. Character pairs are counted as they come; a run of syllables counts as a
// whole word only with a non-syllable inside the line on both sides, as the wrap may have cut a
// run that touches either end of the line.
struct LineScan {
    const unsigned char* text;
    int64_t begin;
    SourceChar previous;       // the character just before, width 0 after a blank
    SourceChar before_space;   // the character before a single space just passed, else width 0
    int64_t run_start;         // start of the open syllable run, -1 when none is open
    SyllableGap previous_gap;  // how the previous character, a syllable, met the syllable before it
};

void close_run(BookVocabulary& v, LineScan& scan, int64_t pos) {
    if (scan.run_start < 0) return;
    int64_t length = pos - scan.run_start;
    if (scan.run_start > scan.begin && length <= max_word_bytes)
        word_table_add(v.words, scan.text + scan.run_start, static_cast<size_t>(length), WordRole::WHOLE, 1);
    scan.run_start = -1;
}

// Counts the meeting and returns how it joins two syllables.
SyllableGap count_meeting(BookVocabulary& v, const SourceChar& left, const SourceChar& right, bool apart) {
    pair_table_count(v.pairs, pair_key(left.code, right.code), apart);
    margins_count(v.margins, left.code, left.syllable, right.code, right.syllable, apart);
    if (!left.syllable || !right.syllable) return SyllableGap::NONE;
    uint32_t& gaps = apart ? v.syllable_gaps.apart : v.syllable_gaps.together;
    if (gaps != UINT32_MAX) ++gaps;
    return apart ? SyllableGap::APART : SyllableGap::TOGETHER;
}

void take_char(BookVocabulary& v, LineScan& scan, const SourceChar& c) {
    SyllableGap gap = SyllableGap::NONE;
    if (scan.previous.width != 0) gap = count_meeting(v, scan.previous, c, false);
    else if (scan.before_space.width != 0) gap = count_meeting(v, scan.before_space, c, true);
    if (c.syllable && scan.previous.syllable && scan.previous_gap != SyllableGap::NONE)
        pair_table_count(v.word_starts, pair_key(scan.previous.code, c.code), scan.previous_gap == SyllableGap::APART);
    if (!c.syllable) close_run(v, scan, c.start);
    else if (scan.run_start < 0) scan.run_start = c.start;
    scan.previous = c;
    scan.previous_gap = gap;
    scan.before_space = SourceChar{};
}

void take_blank(BookVocabulary& v, LineScan& scan, int64_t pos) {
    close_run(v, scan, pos);
    scan.before_space = scan.text[pos] == ' ' ? scan.previous : SourceChar{};
    scan.previous = SourceChar{};
}

SourceChar char_in_line(const unsigned char* text, int64_t pos, int64_t end) {
    unsigned char lead = text[pos];
    if (lead < 0x81 || pos + 1 >= end || is_blank_byte(text[pos + 1])) return SourceChar{pos, 1, lead, false};
    return SourceChar{pos, 2, static_cast<uint16_t>((lead << 8) | text[pos + 1]), is_syllable_lead(lead)};
}

// The meetings of a line are counted in slots all over the tables; asked for all at once first,
// they come from memory together rather than one after the other.
void prefetch_meetings(const BookVocabulary& v, const unsigned char* text, int64_t begin, int64_t end) {
    uint16_t previous = 0;
    for (int64_t pos = begin; pos < end;) {
        if (is_blank_byte(text[pos])) {
            ++pos;
            continue;
        }
        SourceChar c = char_in_line(text, pos, end);
        if (previous != 0) pair_table_prefetch(v.pairs, pair_key(previous, c.code));
        if (previous != 0 && c.syllable) pair_table_prefetch(v.word_starts, pair_key(previous, c.code));
        previous = c.code;
        pos += c.width;
    }
}

// Blanks at either end of a line may be the wrap's own, so the words next to them do not count.
void gather_between(BookVocabulary& v, const unsigned char* text, int64_t begin, int64_t end) {
    while (begin < end && is_blank_byte(text[begin])) ++begin;
    while (end > begin && is_blank_byte(text[end - 1])) --end;
    prefetch_meetings(v, text, begin, end);
    LineScan scan{text, begin, SourceChar{}, SourceChar{}, -1, SyllableGap::NONE};
    for (int64_t pos = begin; pos < end;) {
        if (is_blank_byte(text[pos])) {
            take_blank(v, scan, pos);
            ++pos;
            continue;
        }
        SourceChar c = char_in_line(text, pos, end);
        take_char(v, scan, c);
        pos += c.width;
    }
}

// Every proper beginning and ending of a word is credited with the word's uses, so that a
// fragment at a cut can be told from a word of its own. The whole words are listed first, as
// adding pieces may move the slots and the keys.
void count_word_pieces(BookVocabulary& v) {
    WordCountTable& words = v.words;
    std::vector<WordCountTable::Slot> whole_words;
    for (const WordCountTable::Slot& slot : words.slots)
        if (slot.counts.whole != 0) whole_words.push_back(slot);
    unsigned char word[max_word_bytes];
    for (const WordCountTable::Slot& slot : whole_words) {
        std::memcpy(word, word_slot_key(words, slot), slot.key_length);
        for (size_t cut = 2; cut < slot.key_length; cut += 2) {
            word_table_add(words, word, cut, WordRole::BEGINNING, slot.counts.whole);
            word_table_add(words, word + cut, slot.key_length - cut, WordRole::ENDING, slot.counts.whole);
        }
    }
}

// One meeting of each kind is added, so that the share is never 0 or 1.
void settle_space_share(BookVocabulary& v) {
    double apart = v.syllable_gaps.apart + 1.0;
    double share = apart / (apart + v.syllable_gaps.together + 1.0);
    v.space_share = SpaceShare{share, std::log(share / (1.0 - share))};
}

}  // namespace

int64_t gather_stride(int64_t length) { return length / full_gather_bytes + 1; }

void gather_line(BookVocabulary& v, const unsigned char* line, int64_t length) { gather_between(v, line, 0, length); }

void settle_vocabulary(BookVocabulary& v) {
    count_word_pieces(v);
    settle_space_share(v);
    prepare_count_logs(v);
}

}  // namespace tessaline
