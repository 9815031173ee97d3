#pragma once

#include <cstdint>

#include "engine/vocabulary/store.h"
#include "engine/vocabulary/text.h"

namespace tessaline {

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
JointSides joint_sides(const TextWindow& text, int64_t next_text);

// What the book's evidence reads at a joint, as values rather than places in the text: the codes
// of the characters that meet, the runs' lengths (a longer run counts as max_word_bytes + 1) and,
// between two syllables, the runs' bytes when they are short enough to be words.
struct JointWords {
    uint16_t last_code;
    uint16_t first_code;
    uint16_t second_code;  // the syllable after the first in its run, when the run holds two
    bool last_syllable;
    bool first_syllable;
    bool blank;
    uint8_t before_length;
    uint8_t after_length;
    unsigned char before[max_word_bytes];
    unsigned char after[max_word_bytes];
};

JointWords joint_words(const TextWindow& text, const JointSides& joint);

// Whether both characters at the joint are syllables: the book's words speak only there.
inline bool between_syllables(const JointWords& joint) { return joint.last_syllable && joint.first_syllable; }

// Fills the tables of logarithms the evidence reads, once the book's share of spaces is settled.
void prepare_count_logs(BookVocabulary& vocabulary);

// Log-odds, by the book's own words and character meetings, that a space belongs at the joint:
// above 0 a space, below 0 none, and exactly 0 when the book shows none of the pieces that meet
// there. Meaningful only when a character stands on both sides.
double joint_space_evidence(const BookVocabulary& vocabulary, const JointWords& joint);

// The book's evidence at a joint piece by piece, for the joint decision to weigh: each a
// log-ratio of the book's counts for a space against none, 0 where the book shows nothing.
// Between two syllables the meetings are measured against the book's usual share of spaces;
// where a mark stands at the cut, only the pair and the margins apply, as plain ratios.
struct BookEvidence {
    double pair;         // the two characters at the cut
    double word_end;     // the character before the cut, before any syllable
    double word_start;   // the character after the cut, after any syllable
    double two_start;    // the two syllables after the cut, after a syllable
    double before_word;  // the run before the cut as a word of its own, not a word's beginning
    double after_word;   // the run after the cut beginning a word, not ending one
    double habit;        // the book's wrap habit for a cut with or without a blank
    bool any;            // the book shows any of the pieces at all
};

BookEvidence book_evidence(const BookVocabulary& vocabulary, const JointWords& joint);

}  // namespace tessaline
