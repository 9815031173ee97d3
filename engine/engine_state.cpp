#include "engine/engine_state.h"

#include <cstring>

#include "pipeline/progress_view.h"

TextBuffer source_text;
uint32_t source_size;
TextBuffer output_text;
TextBuffer line_buffer;
TextBuffer scratch_buffer;
TextBuffer second_pass_buffer;

ConversionOptions conversion_options;
DocumentProfile document_profile;
EngineState engine_state;
const ProgressView* engine_view;

namespace {

unsigned char byte_within(const TextBuffer& buffer, int64_t pos, int64_t length) {
    if (pos < 0 || pos >= length) return 0;
    return buffer.bytes[pos];
}

bool has_word(const TextBuffer& buffer, int64_t length, int64_t pos, const char* word, int count) {
    for (int k = 0; k < count; ++k) {
        unsigned char b = byte_within(buffer, pos + k, length);
        if (b == 0 || b != static_cast<unsigned char>(word[k])) return false;
    }
    return true;
}

void append_to(TextBuffer& buffer, size_t length, const void* bytes, size_t count) {
    text_buffer_reserve(buffer, length + count + 1);
    std::memmove(buffer.bytes + length, bytes, count);
    buffer.bytes[length + count] = 0;
}

}  // namespace

unsigned char line_byte(int64_t pos) { return byte_within(line_buffer, pos, engine_state.line_len); }
unsigned char source_byte(int64_t pos) { return byte_within(source_text, pos, engine_state.source_length); }
unsigned char output_byte(int64_t pos) { return byte_within(output_text, pos, engine_state.output_length); }

bool line_has(int64_t pos, const char* word, int length) {
    return has_word(line_buffer, engine_state.line_len, pos, word, length);
}
bool source_has(int64_t pos, const char* word, int length) {
    return has_word(source_text, engine_state.source_length, pos, word, length);
}
bool output_has(int64_t pos, const char* word, int length) {
    return has_word(output_text, engine_state.output_length, pos, word, length);
}

void line_append(const void* bytes, size_t count) {
    append_to(line_buffer, engine_state.line_len, bytes, count);
    engine_state.line_len += static_cast<int32_t>(count);
}

void line_truncate(int32_t length) {
    engine_state.line_len = length;
    line_buffer.bytes[length] = 0;
}

void output_append(const void* bytes, size_t count) {
    append_to(output_text, engine_state.output_length, bytes, count);
    engine_state.output_length += static_cast<uint32_t>(count);
}

void second_pass_append(const void* bytes, size_t count) {
    append_to(second_pass_buffer, engine_state.second_pass_length, bytes, count);
    engine_state.second_pass_length += static_cast<uint32_t>(count);
}

void report_file_progress(int percent) {
    if (percent <= engine_state.last_progress) return;
    engine_state.last_progress = percent;
    if (engine_view != nullptr && engine_view->set_file_progress != nullptr)
        engine_view->set_file_progress(engine_view->context, percent);
}
