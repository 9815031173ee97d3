#include <cstring>

#include "engine/engine_state.h"
#include "engine/vocabulary_habit.h"
#include "engine/vocabulary_joints.h"
#include "engine/vocabulary_store.h"
#include "engine/vocabulary_text.h"

namespace {

// Beyond this many bytes a book shows its words often enough that every other line, or every
// third, tells as much; so a long book costs no more to gather than a book of this size.
constexpr int64_t FULL_GATHER_BYTES = 4 << 20;

// One line's walk. Character pairs are counted as they come; a run of syllables counts as a
// whole word only with a non-syllable inside the line on both sides, as the wrap may have cut a
// run that touches either end of the line.
struct LineScan {
    const unsigned char* text;
    int64_t begin;
    SourceChar previous;        // the character just before, width 0 after a blank
    SourceChar before_space;    // the character before a single space just passed, else width 0
    int64_t run_start;          // start of the open syllable run, -1 when none is open
};

void close_run(LineScan& scan, int64_t pos) {
    if (scan.run_start < 0) return;
    int64_t length = pos - scan.run_start;
    if (scan.run_start > scan.begin && length <= MAX_WORD_BYTES)
        word_table_add(book_vocabulary.words, scan.text + scan.run_start, static_cast<size_t>(length), WordRole::WHOLE, 1);
    scan.run_start = -1;
}

void count_meeting(const SourceChar& left, const SourceChar& right, bool apart) {
    pair_table_count(book_vocabulary.pairs, left.code, left.syllable, right.code, right.syllable, apart);
}

void take_char(LineScan& scan, const SourceChar& c) {
    if (scan.previous.width != 0) count_meeting(scan.previous, c, false);
    else if (scan.before_space.width != 0) count_meeting(scan.before_space, c, true);
    if (!c.syllable) close_run(scan, c.start);
    else if (scan.run_start < 0) scan.run_start = c.start;
    scan.previous = c;
    scan.before_space = SourceChar{};
}

void take_blank(LineScan& scan, int64_t pos) {
    close_run(scan, pos);
    scan.before_space = scan.text[pos] == ' ' ? scan.previous : SourceChar{};
    scan.previous = SourceChar{};
}

SourceChar char_in_line(const unsigned char* text, int64_t pos, int64_t end) {
    unsigned char lead = text[pos];
    if (lead < 0x81 || pos + 1 >= end || is_blank_byte(text[pos + 1])) return SourceChar{pos, 1, lead, false};
    return SourceChar{pos, 2, static_cast<uint16_t>((lead << 8) | text[pos + 1]), is_syllable_lead(lead)};
}

// Blanks at either end of a line may be the wrap's own, so the words next to them do not count.
void gather_line(const unsigned char* text, int64_t begin, int64_t end) {
    while (begin < end && is_blank_byte(text[begin])) ++begin;
    while (end > begin && is_blank_byte(text[end - 1])) --end;
    LineScan scan{text, begin, SourceChar{}, SourceChar{}, -1};
    for (int64_t pos = begin; pos < end;) {
        if (is_blank_byte(text[pos])) {
            take_blank(scan, pos);
            ++pos;
            continue;
        }
        SourceChar c = char_in_line(text, pos, end);
        take_char(scan, c);
        pos += c.width;
    }
}

// Every proper beginning and ending of a word is credited with the word's uses, so that a
// fragment at a cut can be told from a word of its own. Room for every piece is made first, so
// the slots stay where they are while they are walked.
void count_word_pieces() {
    WordTable& words = book_vocabulary.words;
    size_t pieces = 0;
    for (const WordTable::Slot& slot : words.slots) pieces += slot.counts.whole != 0 ? slot.key_length : 0;
    word_table_reserve(words, pieces);
    unsigned char word[MAX_WORD_BYTES];  // a copy, as adding pieces may move the keys
    for (size_t i = 0; i < words.slots.size(); ++i) {
        WordTable::Slot slot = words.slots[i];
        if (slot.counts.whole == 0) continue;
        std::memcpy(word, words.keys.data() + slot.key_offset, slot.key_length);
        for (size_t cut = 2; cut < slot.key_length; cut += 2) {
            word_table_add(words, word, cut, WordRole::BEGINNING, slot.counts.whole);
            word_table_add(words, word + cut, slot.key_length - cut, WordRole::ENDING, slot.counts.whole);
        }
    }
}

}  // namespace

void gather_vocabulary() {
    clear_book_vocabulary();
    const unsigned char* text = source_text.bytes;
    int64_t length = engine_state.source_length;
    int64_t stride = length / FULL_GATHER_BYTES + 1;
    int64_t line = 0;
    for (int64_t begin = 0; begin <= length; ++line) {
        const void* lf = std::memchr(text + begin, '\n', static_cast<size_t>(length - begin));
        int64_t line_end = lf != nullptr ? static_cast<const unsigned char*>(lf) - text : length;
        if (line % stride == 0) gather_line(text, begin, line_end);
        begin = line_end + 1;
    }
    count_word_pieces();
    learn_wrap_habit();
}
