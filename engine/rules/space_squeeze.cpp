#include "engine/rules/space_squeeze.h"

#include "engine/text/byte_search.h"
#include "engine/text/line_text.h"
#include "engine/text/space_runs.h"

namespace tessaline {

namespace {

// Where the first run of two or more spaces begins: single spaces always stay, so nothing before
// it changes. The line keeps the bytes the search reads past its end, and a NUL right after it.
int64_t first_double_space(const unsigned char* b, int64_t length) {
    return find_first_of_or_pair<' ', ' ', ' '>(b, 0, length);
}

}  // namespace

// One pass over the line with the result of squeezing run by run from position 2: the first two
// bytes never start a squeezed run (a two-space indentation survives), and a run is squeezed only
// when a non-space byte follows it before the line's last byte (so the spaces that end a joined
// line stay).
void squeeze_spaces(LineText& line) {
    unsigned char* b = line.bytes();
    int64_t length = line.length;
    int64_t last = length - 1;
    int64_t w = first_double_space(b, length);
    if (w == length) return;
    for (int64_t r = w; r < length;) {
        if (b[r] != ' ') {
            b[w++] = b[r++];
            continue;
        }
        int64_t end = r;
        end = end_of_spaces(b, end + 1, length) - 1;
        int64_t first_kept_alone = r < 2 ? 2 : r;
        int64_t keep_to = (first_kept_alone + 1 <= end && end + 1 < last) ? first_kept_alone : end;
        while (r <= keep_to) b[w++] = b[r++];
        r = end + 1;
    }
    line.truncate(w);
}

}  // namespace tessaline
