#include "engine/orthography_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/engine_state.h"

namespace {

// "읍니" is an old spelling of the polite ending "습니".
const char OLD_ENDING[] = "\xC0\xBE\xB4\xCF";  // 읍니
const char NEW_ENDING[] = "\xBD\xC0\xB4\xCF";  // 습니

// Position of the next old ending at or after `from`, or `length` when there is none.
uint32_t next_old_ending(const unsigned char* text, uint32_t length, uint32_t from) {
    for (uint32_t i = from; i + 4 <= length; ++i) {
        const void* lead = std::memchr(text + i, OLD_ENDING[0], length - 3 - i);
        if (lead == nullptr) break;
        i = static_cast<uint32_t>(static_cast<const unsigned char*>(lead) - text);
        if (std::memcmp(text + i, OLD_ENDING, 4) == 0) return i;
    }
    return length;
}

// Copies `from` into `to`, correcting the ending; returns the copied length. The text is copied
// in runs up to the next ending or the next step of the file bar.
uint32_t copy_corrected(const unsigned char* from, uint32_t length, TextBuffer& to) {
    text_buffer_reserve(to, length + 1);
    uint32_t out = 0;
    uint32_t step = length / 100 + 1;
    uint32_t ending = next_old_ending(from, length, 0);
    for (uint32_t i = 0; i < length;) {
        if (i == ending) {
            std::memcpy(to.bytes + out, NEW_ENDING, 4);
            out += 4;
            i += 4;
            ending = next_old_ending(from, length, i);
            continue;
        }
        uint32_t stop = std::min({ending, length, (i / step + 1) * step});
        report_file_progress(static_cast<int>((i / step) / 4 + 75));
        std::memcpy(to.bytes + out, from + i, stop - i);
        out += stop - i;
        i = stop;
    }
    to.bytes[out] = 0;
    return out;
}

}  // namespace

void orthography_pass() {
    EngineState& s = engine_state;
    if (second_pass_buffer.bytes != nullptr && second_pass_buffer.bytes[0] != 0) {
        // The long-sentence pass filled the second-pass buffer: the corrected text goes back.
        s.output_length = copy_corrected(second_pass_buffer.bytes, s.second_pass_length, output_text);
        second_pass_buffer.bytes[0] = 0;
        s.second_pass_length = 0;
        return;
    }
    uint32_t m = s.output_length;
    text_buffer_reset(second_pass_buffer, static_cast<size_t>(m * 1.5) + 1000);
    s.second_pass_length = copy_corrected(output_text.bytes, m, second_pass_buffer);
}
