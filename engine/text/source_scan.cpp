#include "engine/text/source_scan.h"

#include "engine/passes/conversion.h"

namespace tessaline {

namespace {

bool is_blank(unsigned char c) { return c == ' ' || c == '\r' || c == '\n'; }
bool is_white(unsigned char c) { return is_blank(c) || c == '\t'; }

// Every byte between a remembered start and its answer is skipped, so any start in between
// has the same answer.
int64_t cached_skip(const TextWindow& source, SkipCache& cache, int64_t from, bool (*skipped)(unsigned char)) {
    if (cache.valid && cache.from <= from && from <= cache.to) return cache.to;
    int64_t pos = from;
    int64_t end = source.end();
    while (pos < end && skipped(source.at(pos))) ++pos;
    cache = SkipCache{from, pos, true};
    return pos;
}

}  // namespace

int64_t skip_blank_run(Conversion& cv, int64_t from) { return cached_skip(cv.source, cv.scans.blank, from, is_blank); }

int64_t skip_white_run(Conversion& cv, int64_t from) { return cached_skip(cv.source, cv.scans.white, from, is_white); }

int32_t count_run_newlines(const Conversion& cv, int64_t from, int64_t run_end) {
    int32_t count = 0;
    for (int64_t pos = from; pos < run_end && count < 2; ++pos)
        if (cv.source_byte(pos) == '\n') ++count;
    return count;
}

}  // namespace tessaline
