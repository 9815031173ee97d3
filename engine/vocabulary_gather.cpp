#include <cstring>

#include "engine/engine_state.h"
#include "engine/vocabulary_habit.h"
#include "engine/vocabulary_joints.h"
#include "engine/vocabulary_store.h"
#include "engine/vocabulary_text.h"

namespace {

// One line's walk: syllable pairs are counted as they come; a run of syllables counts as a whole
// word only with a non-syllable inside the line on both sides, as the wrap may have cut a run
// that touches either end of the line.
struct LineScan {
    const unsigned char* text;
    int64_t begin;
    int64_t end;
    uint16_t previous;      // the syllable just before, 0 when the previous character was none
    uint16_t before_space;  // the syllable before a single space just passed, else 0
    int64_t run_start;      // start of the open syllable run, -1 when none is open
};

void close_run(LineScan& scan, int64_t pos) {
    if (scan.run_start < 0) return;
    int64_t length = pos - scan.run_start;
    if (scan.run_start > scan.begin && length <= MAX_WORD_BYTES)
        word_table_add(book_vocabulary.words, scan.text + scan.run_start, static_cast<size_t>(length), 1);
    scan.run_start = -1;
}

void take_syllable(LineScan& scan, int64_t pos) {
    uint16_t code = syllable_code(scan.text + pos);
    if (scan.previous != 0) pair_table_count(book_vocabulary.pairs, scan.previous, code, false);
    else if (scan.before_space != 0) pair_table_count(book_vocabulary.pairs, scan.before_space, code, true);
    if (scan.run_start < 0) scan.run_start = pos;
    scan.previous = code;
    scan.before_space = 0;
}

void gather_line(const unsigned char* text, int64_t begin, int64_t end) {
    LineScan scan{text, begin, end, 0, 0, -1};
    int64_t pos = begin;
    while (pos < end) {
        unsigned char b = text[pos];
        bool two_bytes = b >= 0x81 && pos + 1 < end;
        if (two_bytes && is_syllable_lead(b)) {
            take_syllable(scan, pos);
            pos += 2;
            continue;
        }
        close_run(scan, pos);
        scan.before_space = (b == ' ' && scan.previous != 0) ? scan.previous : 0;
        scan.previous = 0;
        pos += two_bytes ? 2 : 1;
    }
}

// Every proper beginning and ending of a word is credited with the word's uses, so that a
// fragment at a cut can be told from a word of its own.
void count_word_pieces() {
    const WordCountTable& words = book_vocabulary.words;
    for (const WordCountTable::Slot& slot : words.slots) {
        if (slot.count == 0) continue;
        const unsigned char* word = words.keys.data() + slot.key_offset;
        for (size_t cut = 2; cut < slot.key_length; cut += 2) {
            word_table_add(book_vocabulary.beginnings, word, cut, slot.count);
            word_table_add(book_vocabulary.endings, word + cut, slot.key_length - cut, slot.count);
        }
    }
}

}  // namespace

void gather_vocabulary() {
    clear_book_vocabulary();
    const unsigned char* text = source_text.bytes;
    int64_t length = engine_state.source_length;
    int64_t begin = 0;
    while (begin <= length) {
        const void* lf = std::memchr(text + begin, '\n', static_cast<size_t>(length - begin));
        int64_t line_end = lf != nullptr ? static_cast<const unsigned char*>(lf) - text : length;
        int64_t end = line_end;
        if (end > begin && text[end - 1] == '\r') --end;
        gather_line(text, begin, end);
        begin = line_end + 1;
    }
    count_word_pieces();
    learn_wrap_habit();
}
