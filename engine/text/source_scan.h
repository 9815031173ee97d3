#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// Forward scans over the source text that many lines in a row ask from nearly the same place.
// Each remembers its last answer, so a long run of blank lines is walked once, not once per line.
struct SkipCache {
    int64_t from = 0;
    int64_t to = 0;
    bool valid = false;
};

struct SourceScans {
    SkipCache blank;
    SkipCache white;
};

// The first position from `from` on whose byte is not a space, CR or LF (or the source's end).
int64_t skip_blank_run(Conversion& cv, int64_t from);

// The first position from `from` on whose byte is not a space, tab, CR or LF (or the source's end).
int64_t skip_white_run(Conversion& cv, int64_t from);

// The LFs in the blank run that starts at `from`, counted up to two: callers only ask whether
// there are none, one, or two or more.
int32_t count_run_newlines(const Conversion& cv, int64_t from, int64_t run_end);

}  // namespace tessaline
