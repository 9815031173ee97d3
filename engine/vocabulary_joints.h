#pragma once

struct BookVocabulary;
struct Conversion;
class TextWindow;

// The book's own spacing evidence, an opt-in mode: gathered once from the inside of the source
// text's lines, then used to confirm or overturn the joint rules where it is strong.
void gather_vocabulary(BookVocabulary& vocabulary, const TextWindow& source);
void apply_vocabulary_evidence(Conversion& cv);
