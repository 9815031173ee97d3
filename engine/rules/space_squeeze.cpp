#include "engine/rules/space_squeeze.h"

#include <cstdint>

#include "engine/text/byte_search.h"
#include "engine/text/line_text.h"
#include "engine/text/space_runs.h"

namespace tessaline {

namespace {

// Where the first run of two or more spaces from `from` on begins: single spaces always stay, so
// nothing before it changes. The bytes the search reads past `to` are there.
int64_t first_double_space(const unsigned char* b, int64_t from, int64_t to) {
    return find_first_of_or_pair<' ', ' ', ' '>(b, from, to);
}

// One pass over bytes from `w`, the first run of two or more spaces, up to `to`, with the result
// of squeezing run by run: the line's first two bytes never start a squeezed run (a two-space
// indentation survives), and a run is squeezed only when a non-space byte follows it before the
// line's last byte at `last` (so the spaces that end a joined line stay). Returns where the
// squeezed bytes end.
int64_t squeeze_runs(unsigned char* b, int64_t w, int64_t to, int64_t last) {
    for (int64_t r = w; r < to;) {
        if (b[r] != ' ') {
            b[w++] = b[r++];
            continue;
        }
        int64_t end = r;
        end = end_of_spaces(b, end + 1, to) - 1;
        int64_t first_kept_alone = r < 2 ? 2 : r;
        int64_t keep_to = (first_kept_alone + 1 <= end && end + 1 < last) ? first_kept_alone : end;
        while (r <= keep_to) b[w++] = b[r++];
        r = end + 1;
    }
    return w;
}

}  // namespace

void squeeze_spaces(LineText& line, int64_t from) {
    int64_t w = first_double_space(line.bytes(), from, line.length);
    if (w == line.length) return;
    line.truncate(squeeze_runs(line.bytes(), w, line.length, line.length - 1));
}

int64_t squeeze_line_piece(unsigned char* bytes, int64_t from, int64_t to) {
    int64_t w = first_double_space(bytes, from, to);
    return w == to ? to : squeeze_runs(bytes, w, to, INT64_MAX);
}

}  // namespace tessaline
