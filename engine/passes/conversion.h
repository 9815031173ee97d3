#pragma once

#include <cstdint>

#include "engine/reflow.h"
#include "engine/text/line_text.h"
#include "engine/text/source_scan.h"
#include "engine/text/text_window.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

class JointReadingRing;

// Habits of the document, counted by the pre-scan (passes/prescan.h).
struct DocumentProfile {
    int32_t unspaced_long_lines = 0;
    int32_t bracket_openers = 0;
    int32_t unindented_long_lines = 0;
};

// Where the line loop stands in the source text and what it decided at the last joint.
struct LinePlace {
    int64_t line_start = 0;
    int64_t line_end = 0;  // the LF that ends the current line, or the end of the text
    int32_t following_newlines = 0;
    int64_t next_start = 0;   // first byte of the next line's text, for the joint rules
    int32_t mark_offset = 0;  // 1 when a join mark follows the line's text
    int32_t space_added = 0;  // 1 when the joint rules appended the space at this joint
};

// Takes finished output text away while a long line goes into the output, so the output window
// never has to hold the whole line.
class OutputDrain {
public:
    virtual void drain() = 0;

protected:
    ~OutputDrain() = default;
};

// Everything one conversion works on. The line loop reads the source text and writes the output
// text (both by their positions in the whole text, as far as the windows still hold them),
// rebuilding one line at a time in `line`.
struct Conversion {
    explicit Conversion(const ConversionOptions& chosen) : options(chosen) {}

    const ConversionOptions options;
    DocumentProfile profile;
    LinePlace place;
    SourceScans scans;
    TextWindow source;
    TextWindow output;
    LineText line;
    LineText scratch;                      // where dialogue breaks assemble the new line
    BookVocabulary vocabulary;             // the vocabulary mode's evidence, gathered before the line loop
    DictionaryAnswers dictionary;          // the dictionary's answers, when the vocabulary mode asks one
    LengthNotes length_notes;              // the vocabulary mode's lines that differ from the rules' own
    SentencesSoFar sentences;              // ... and what it saw of the sentences before the line
    JointReadingRing* readings = nullptr;  // joints read ahead by a scan on another thread, if one
    OutputDrain* drain = nullptr;

    bool vocabulary_mode() const { return options.joints == JointMode::vocabulary; }

    unsigned char line_byte(int64_t pos) const { return line.at(pos); }
    unsigned char source_byte(int64_t pos) const { return source.at(pos); }
    unsigned char output_byte(int64_t pos) const { return output.at(pos); }
    bool line_has(int64_t pos, const char* word, int length) const { return line.has(pos, word, length); }
    bool source_has(int64_t pos, const char* word, int length) const { return source.has(pos, word, length); }
    bool output_has(int64_t pos, const char* word, int length) const { return output.has(pos, word, length); }
    int64_t output_length() const { return output.end(); }
    int64_t source_length() const { return source.end(); }

    void output_append(const void* bytes, size_t count) { output.append(bytes, count); }
};

}  // namespace tessaline
