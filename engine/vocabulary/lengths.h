#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaline {

// In the vocabulary mode the output differs from the rules' own at some joints: the book's evidence
// changed the space there, or its layout joined a line the rules ended. Such joints are noted,
// so that the long-sentence pass measures lines as the rules would have written them and splits
// the documents and paragraphs the rules would have split. Without notes (the mode off) every
// line is measured as it stands.

struct LengthNote {
    int64_t position;  // where the noted line ends in the output text
    int32_t extra;
    bool line_end_taken;
};

struct LengthNotes {
    std::vector<LengthNote> notes;  // in output order
    LengthNote expected{};
    size_t cursor = 0;  // where the last search ended: the pass mostly asks for ever later starts
};

// The line just decided is `extra` bytes longer than the rules would have made it;
// `line_end_taken` when the rules would have ended it with a line break.
void expect_length_difference(LengthNotes& notes, int64_t extra, bool line_end_taken);

// Notes the difference expected for the line just appended, at its end `output_end` in the
// output text.
void note_length_difference(LengthNotes& notes, int64_t output_end);

// A line as the rules would have written it, inside one paragraph of the output text.
struct RulesLine {
    int64_t end;     // where the line after it starts in the output text
    int64_t length;  // its bytes as the rules would have written them, its LF (or the NUL) counted
};

// The output bytes from `start` to `end` (included) as the rules would have written them; none
// of the rules' lines there is longer.
int64_t rules_bytes(LengthNotes& notes, int64_t start, int64_t end);

// The rules' line that starts at `start` in the output paragraph whose LF (or the text's NUL)
// is at `paragraph_end`.
RulesLine rules_line(LengthNotes& notes, int64_t start, int64_t paragraph_end);

// Forgets (some of) the notes of lines that end at or before `position`, which no later
// question reaches.
void forget_notes_before(LengthNotes& notes, int64_t position);

}  // namespace tessaline
