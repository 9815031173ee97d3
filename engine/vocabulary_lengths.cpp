#include "engine/vocabulary_lengths.h"

#include <algorithm>
#include <vector>

#include "engine/engine_state.h"

namespace {

struct LengthNote {
    uint32_t position;     // where the noted line ends in the output text
    int32_t extra;
    bool line_end_taken;
};

std::vector<LengthNote> length_notes;  // in output order
LengthNote expected;

}  // namespace

void clear_length_notes() {
    length_notes.clear();
    expected = LengthNote{};
}

void expect_length_difference(int32_t extra, bool line_end_taken) { expected = {0, extra, line_end_taken}; }

void note_length_difference() {
    if (expected.extra != 0 || expected.line_end_taken)
        length_notes.push_back({engine_state.output_length, expected.extra, expected.line_end_taken});
    expected = LengthNote{};
}

RulesLine rules_line(uint32_t start, uint32_t paragraph_end) {
    auto note = std::upper_bound(length_notes.begin(), length_notes.end(), start,
                                 [](uint32_t pos, const LengthNote& n) { return pos < n.position; });
    int64_t extra = 0;
    for (; note != length_notes.end() && note->position <= paragraph_end; ++note) {
        extra += note->extra;
        if (note->line_end_taken) return {note->position, static_cast<int64_t>(note->position) - start - extra};
    }
    return {paragraph_end + 1, static_cast<int64_t>(paragraph_end) + 1 - start - extra};
}
