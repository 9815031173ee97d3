#include "engine/vocabulary/sentences.h"

#include "engine/text/marks.h"

namespace tessaline {

bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end) {
    for (int64_t pos = begin; pos + 1 < end; ++pos)
        if (is_sentence_end_byte(text.at(pos)) && text.at(pos + 1) == space_byte) return true;
    return false;
}

}  // namespace tessaline
