#include "engine/vocabulary_text.h"

#include "engine/engine_state.h"

namespace {

bool is_blank_byte(unsigned char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

bool syllable_at(int64_t pos) { return is_syllable_lead(source_byte(pos)) && source_byte(pos + 1) != 0; }

}  // namespace

SyllableRun source_run_ending_at(int64_t end) {
    // A blank byte is never the second byte of a character, so the word starts on a boundary.
    int64_t word_start = end;
    while (word_start > 0 && !is_blank_byte(source_byte(word_start - 1))) --word_start;
    SyllableRun run{word_start, 0};
    int64_t pos = word_start;
    while (pos < end) {
        bool syllable = syllable_at(pos);
        int64_t width = source_byte(pos) >= 0x81 ? 2 : 1;
        if (!syllable) run.start = pos + width;
        pos += width;
    }
    if (pos != end) return SyllableRun{end, 0};
    run.length = end - run.start;
    return run;
}

SyllableRun source_run_starting_at(int64_t start) {
    int64_t pos = start;
    while (syllable_at(pos)) pos += 2;
    return SyllableRun{start, pos - start};
}
