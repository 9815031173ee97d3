#include "engine/vocabulary/lengths.h"

#include <algorithm>

namespace tessaline {

namespace {

using NoteIterator = std::vector<LengthNote>::const_iterator;

// The first note of a line that ends after `start`.
NoteIterator first_note_after(LengthNotes& n, int64_t start) {
    const std::vector<LengthNote>& notes = n.notes;
    if (n.cursor > notes.size() || (n.cursor > 0 && notes[n.cursor - 1].position > start)) {
        auto found = std::upper_bound(notes.cbegin(), notes.cend(), start,
                                      [](int64_t pos, const LengthNote& note) { return pos < note.position; });
        n.cursor = static_cast<size_t>(found - notes.cbegin());
    }
    while (n.cursor < notes.size() && notes[n.cursor].position <= start) ++n.cursor;
    return notes.cbegin() + static_cast<std::ptrdiff_t>(n.cursor);
}

}  // namespace

void expect_length_difference(LengthNotes& notes, int64_t extra, bool line_end_taken) {
    notes.expected = {0, static_cast<int32_t>(extra), line_end_taken};
}

void note_length_difference(LengthNotes& notes, int64_t output_end) {
    if (notes.expected.extra != 0 || notes.expected.line_end_taken)
        notes.notes.push_back({output_end, notes.expected.extra, notes.expected.line_end_taken});
    notes.expected = LengthNote{};
}

int64_t rules_bytes(LengthNotes& notes, int64_t start, int64_t end) {
    int64_t bytes = end - start + 1;
    for (auto note = first_note_after(notes, start); note != notes.notes.cend() && note->position <= end; ++note)
        bytes -= note->extra;
    return bytes;
}

RulesLine rules_line(LengthNotes& notes, int64_t start, int64_t paragraph_end) {
    int64_t extra = 0;
    for (auto note = first_note_after(notes, start); note != notes.notes.cend() && note->position <= paragraph_end;
         ++note) {
        extra += note->extra;
        if (note->line_end_taken) return {note->position, note->position - start - extra};
    }
    return {paragraph_end + 1, paragraph_end + 1 - start - extra};
}

void forget_notes_before(LengthNotes& notes, int64_t position) {
    auto kept = std::upper_bound(notes.notes.begin(), notes.notes.end(), position,
                                 [](int64_t pos, const LengthNote& note) { return pos < note.position; });
    auto dropped = static_cast<size_t>(kept - notes.notes.begin());
    // Erasing moves the notes kept, so it waits until at least half of them can go.
    if (dropped == 0 || dropped * 2 < notes.notes.size()) return;
    notes.notes.erase(notes.notes.begin(), kept);
    notes.cursor = notes.cursor > dropped ? notes.cursor - dropped : 0;
}

}  // namespace tessaline
