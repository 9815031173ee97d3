#include "engine/source_scan.h"

#include "engine/engine_state.h"

namespace {

struct SkipCache {
    int64_t from;
    int64_t to;
    bool valid;
};

SkipCache blank_cache;
SkipCache white_cache;

bool is_blank(unsigned char c) { return c == ' ' || c == '\r' || c == '\n'; }
bool is_white(unsigned char c) { return is_blank(c) || c == '\t'; }

// Every byte between a remembered start and its answer is skipped, so any start in between
// has the same answer.
int64_t cached_skip(SkipCache& cache, int64_t from, bool (*skipped)(unsigned char)) {
    if (cache.valid && cache.from <= from && from <= cache.to) return cache.to;
    int64_t pos = from;
    while (pos < engine_state.source_length && skipped(source_byte(pos))) ++pos;
    cache = SkipCache{from, pos, true};
    return pos;
}

}  // namespace

void reset_source_scans() {
    blank_cache = SkipCache{};
    white_cache = SkipCache{};
}

int64_t skip_blank_run(int64_t from) { return cached_skip(blank_cache, from, is_blank); }

int64_t skip_white_run(int64_t from) { return cached_skip(white_cache, from, is_white); }

int32_t count_run_newlines(int64_t from, int64_t run_end) {
    int32_t count = 0;
    for (int64_t pos = from; pos < run_end && count < 2; ++pos)
        if (source_byte(pos) == '\n') ++count;
    return count;
}
