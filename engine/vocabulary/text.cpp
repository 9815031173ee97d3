#include "engine/vocabulary/text.h"

namespace tessaline {

SourceChar source_char_ending_at(const TextWindow& text, int64_t end, SyllableRun* run) {
    // A blank byte is never the second byte of a character, so the word starts on a boundary.
    // The window always begins with a blank byte or at the text's start.
    int64_t pos = end;
    while (pos > text.base() && !is_blank_byte(text.at(pos - 1))) --pos;
    SourceChar last{end, 0, 0, false};
    int64_t run_start = pos;
    while (pos < end) {
        last = source_char_at(text, pos);
        if (last.width == 0) break;  // the text ended before `end`
        if (!last.syllable) run_start = pos + last.width;
        pos += last.width;
    }
    if (pos != end) last = SourceChar{end, 0, 0, false};
    *run = last.syllable ? SyllableRun{run_start, end - run_start} : SyllableRun{end, 0};
    return last;
}

SyllableRun source_run_starting_at(const TextWindow& text, int64_t start) {
    int64_t pos = start;
    while (source_char_at(text, pos).syllable) pos += 2;
    return SyllableRun{start, pos - start};
}

}  // namespace tessaline
