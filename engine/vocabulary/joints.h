#pragma once

struct Conversion;

// The book's own spacing evidence, an opt-in mode: gathered beforehand from the inside of the
// source text's lines, then used at each joint to confirm or overturn the joint rules where it is
// strong.
void apply_vocabulary_evidence(Conversion& cv);
