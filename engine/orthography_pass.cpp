#include "engine/orthography_pass.h"

#include <cstring>

#include "engine/engine_state.h"

namespace {

// "읍니" is an old spelling of the polite ending "습니".
const char OLD_ENDING[] = "\xC0\xBE\xB4\xCF";  // 읍니
const char NEW_ENDING[] = "\xBD\xC0\xB4\xCF";  // 습니

// Copies `from` into `to`, correcting the ending; returns the copied length.
uint32_t copy_corrected(const unsigned char* from, uint32_t length, TextBuffer& to) {
    text_buffer_reserve(to, length + 1);
    uint32_t out = 0;
    uint32_t step = length / 100 + 1;
    for (uint32_t i = 0; i < length;) {
        if (i + 4 <= length && std::memcmp(from + i, OLD_ENDING, 4) == 0) {
            std::memcpy(to.bytes + out, NEW_ENDING, 4);
            out += 4;
            i += 4;
            continue;
        }
        to.bytes[out++] = from[i];
        report_file_progress(static_cast<int>((i / step) / 4 + 75));
        ++i;
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
