#pragma once

#include "engine/vocabulary_text.h"

// What meets at a joint of the source text: the last character before the cut and the first
// after it, the syllable runs they end and begin (empty when they are no syllables), and
// whether the wrap left a blank (a space or a tab) at the cut.
struct JointSides {
    SourceChar last;
    SourceChar first;
    SyllableRun before;
    SyllableRun after;
    bool blank;
};

// The joint whose next line's text begins at `next_text`.
JointSides joint_sides(int64_t next_text);

// Log-odds, by the book's own words and character meetings, that a space belongs at the joint:
// above 0 a space, below 0 none, and exactly 0 when the book shows none of the pieces that meet
// there. Meaningful only when a character stands on both sides.
double joint_space_evidence(const JointSides& joint);

// The evidence with the lean of cuts towards spaces and the book's wrap habit for cuts with or
// without a blank; only the habit where the book shows none of the pieces.
double joint_space_odds(const JointSides& joint);
