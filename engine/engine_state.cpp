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

void append_to(TextBuffer& buffer, size_t length, const void* bytes, size_t count) {
    text_buffer_reserve(buffer, length + count + 1);
    std::memmove(buffer.bytes + length, bytes, count);
    buffer.bytes[length + count] = 0;
}

}  // namespace

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
