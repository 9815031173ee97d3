#pragma once

#include <cstdint>

// In the opt-in mode the output differs from the rules' own at some joints: the book's evidence
// changed the space there, or its layout joined a line the rules ended. Such joints are noted,
// so that the long-sentence pass measures lines as the rules would have written them and splits
// the documents and paragraphs the rules would have split. Without notes (the mode off) every
// line is measured as it stands.

void clear_length_notes();

// Whether any line differs from the rules' own; without notes every line is measured as it stands.
bool any_length_notes();

// The line in the line buffer is `extra` bytes longer than the rules would have made it;
// `line_end_taken` when the rules would have ended it with a line break.
void expect_length_difference(int32_t extra, bool line_end_taken);

// Notes the difference expected for the line just appended, at its end in the output text.
void note_length_difference();

// A line as the rules would have written it, inside one paragraph of the output text.
struct RulesLine {
    uint32_t end;     // where the line after it starts in the output text
    int64_t length;   // its bytes as the rules would have written them, its LF (or the NUL) counted
};

// The output bytes from `start` to `end` (included) as the rules would have written them; none
// of the rules' lines there is longer.
int64_t rules_bytes(uint32_t start, uint32_t end);

// The rules' line that starts at `start` in the output paragraph whose LF (or the text's NUL)
// is at `paragraph_end`.
RulesLine rules_line(uint32_t start, uint32_t paragraph_end);
