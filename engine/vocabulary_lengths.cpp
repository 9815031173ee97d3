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

size_t note_cursor;  // where the last search ended: the pass mostly asks for ever later starts

// The first note of a line that ends after `start`.
std::vector<LengthNote>::const_iterator first_note_after(uint32_t start) {
    if (note_cursor > length_notes.size() || (note_cursor > 0 && length_notes[note_cursor - 1].position > start)) {
        auto found = std::upper_bound(length_notes.cbegin(), length_notes.cend(), start,
                                      [](uint32_t pos, const LengthNote& n) { return pos < n.position; });
        note_cursor = static_cast<size_t>(found - length_notes.cbegin());
    }
    while (note_cursor < length_notes.size() && length_notes[note_cursor].position <= start) ++note_cursor;
    return length_notes.cbegin() + static_cast<std::ptrdiff_t>(note_cursor);
}

}  // namespace

void clear_length_notes() {
    length_notes.clear();
    note_cursor = 0;
    expected = LengthNote{};
}

bool any_length_notes() { return !length_notes.empty(); }

void expect_length_difference(int32_t extra, bool line_end_taken) { expected = {0, extra, line_end_taken}; }

void note_length_difference() {
    if (expected.extra != 0 || expected.line_end_taken)
        length_notes.push_back({engine_state.output_length, expected.extra, expected.line_end_taken});
    expected = LengthNote{};
}

int64_t rules_bytes(uint32_t start, uint32_t end) {
    int64_t bytes = static_cast<int64_t>(end) - start + 1;
    for (auto note = first_note_after(start); note != length_notes.cend() && note->position <= end; ++note)
        bytes -= note->extra;
    return bytes;
}

RulesLine rules_line(uint32_t start, uint32_t paragraph_end) {
    int64_t extra = 0;
    for (auto note = first_note_after(start); note != length_notes.cend() && note->position <= paragraph_end; ++note) {
        extra += note->extra;
        if (note->line_end_taken) return {note->position, static_cast<int64_t>(note->position) - start - extra};
    }
    return {paragraph_end + 1, static_cast<int64_t>(paragraph_end) + 1 - start - extra};
}
