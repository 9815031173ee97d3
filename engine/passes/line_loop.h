#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;
class TextWindow;

// Reflows the current line, from place.line_start to its LF at place.line_end (or to the end of
// the text), and appends it to the output text; place.line_start then holds where the next line
// starts.
void process_line(Conversion& cv);

// Finds the next line of the source text and tells when the window holds everything the rules
// read for it: the line, the dialogue rules' look-ahead, and the next line's text with the
// joint rules' reach past its start. Each search resumes where it stopped, so text that comes in
// small pieces is still read once.
class LineReadiness {
public:
    // The next line starts at `from`.
    void start(int64_t from);

    // True when the line is ready, its LF (or the end of a complete text) then in `line_end`.
    bool ready(const TextWindow& source, bool complete, int64_t& line_end);

private:
    bool find_next_text(const TextWindow& source);

    int64_t searched_ = 0;   // no LF of the line stands before this
    int64_t lf_ = -1;        // the line's LF, once found
    int64_t white_end_ = 0;  // the bytes after the LF up to here are spaces, tabs, CR or LF
    int64_t white_lf_ = -1;  // the last LF among them, or the line's own
    int64_t text_ = -1;      // the next line's first text byte, once found
    int64_t text_lf_ = -1;   // the LF that ends the next line's text, once found
    int64_t text_searched_ = 0;
};

// The line loop over the source text as far as it has come: the pre-scan once the document's
// first bytes are there, then every line that is ready.
class LineLoop {
public:
    // `complete` when the whole source text has come.
    void run(Conversion& cv, bool complete);

    // The last line has been written.
    bool done() const { return done_; }

private:
    LineReadiness readiness_;
    bool profiled_ = false;
    bool done_ = false;
};

}  // namespace tessaline
