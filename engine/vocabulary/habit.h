#pragma once

#include <cstdint>
#include <vector>

#include "engine/vocabulary/evidence.h"

namespace tessaline {

struct BookVocabulary;
class TextWindow;

// Learns from the clear joints and the line ends how the book was wrapped: whether its cuts fall
// inside words or between them, whether a blank left at a cut is the author's space, and whether
// its paragraphs are marked by indentation or empty lines. The line ends are read while the
// vocabulary is gathered; the joints are judged once it is complete, so they are kept till then.
class WrapHabitSurvey {
public:
    // Reads the end of the line whose LF is at `lf`: the text must hold the line, the byte before
    // it and the next line's text up to its end.
    void survey_line_end(const TextWindow& text, int64_t lf);

    // With the vocabulary complete: judges the joints kept and settles the habit in it.
    void conclude(BookVocabulary& vocabulary) const;

private:
    double cut_lines_ = 0;         // lines ending in a syllable, cut by the wrap inside a sentence
    double cut_lines_marked_ = 0;  // ... followed by an indented line or an empty line
    double sentence_ends_ = 0;     // lines ending in a sentence-final mark
    double sentence_ends_marked_ = 0;
    double sentence_ends_blank_ = 0;  // ... with a blank after the mark
    std::vector<JointWords> joints_;  // the unmarked joints between two syllables, in order
};

}  // namespace tessaline
