#pragma once

#include "engine/vocabulary_text.h"

// The two syllable runs that meet at a joint of the source text, and whether the wrap left a
// blank (a space or a tab) at the cut.
struct JointSides {
    SyllableRun before;
    SyllableRun after;
    bool blank;
};

// The joint whose next line's text begins at `next_text`.
JointSides joint_sides(int64_t next_text);

// Log-odds, by the book's own usage, that a space belongs at the joint: above 0 a space, below
// 0 none. Only meaningful when both runs hold a syllable.
double joint_space_evidence(const JointSides& joint);
