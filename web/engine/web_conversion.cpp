// The browser's entry to the engine: the page's worker copies a file's bytes into the module's
// heap, converts them as the command line would and reads the result back.

#include <emscripten.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/engine_state.h"
#include "engine/reflow.h"
#include "pipeline/output_writer.h"
#include "pipeline/progress_view.h"
#include "pipeline/run_settings.h"
#include "web/engine/text_codec.h"

namespace {

// Tells the worker how far the conversion has come, so it can move the file's bar.
EM_JS(void, post_progress, (int percent), {
    if (Module.onProgress) Module.onProgress(percent);
});

void set_file_progress(void*, int percent) { post_progress(percent); }

const ProgressView progress_view = {nullptr, set_file_progress, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

std::string result;
const char* read_as = "";

std::string reflowed(const std::string& cp949) {
    text_buffer_reset(source_text, cp949.size() + 2);
    std::memcpy(source_text.bytes, cp949.data(), cp949.size());
    source_size = static_cast<uint32_t>(cp949.size());
    reflow_document(&progress_view);
    text_buffer_release(source_text);
    return std::string(reinterpret_cast<const char*>(final_text()), final_text_length());
}

// The text with its end trimmed and the footer dated year.month.day, as the command line writes it.
std::string with_footer(const std::string& text, int year, int month, int day) {
    TextBuffer composed{};
    size_t length = compose_output(composed, reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                                   year, month, day);
    std::string written(reinterpret_cast<const char*>(composed.bytes), length);
    text_buffer_release(composed);
    return written;
}

}  // namespace

extern "C" {

// Converts `count` bytes of a file. The flags are 1 or 0 like the command line's options;
// min_line_bytes is twice the minimum length; the encodings are those of pipeline/run_settings.h.
// The result is then read through web_result and web_result_length.
EMSCRIPTEN_KEEPALIVE void web_convert(const unsigned char* bytes, uint32_t count, int split_long_sentences,
                                      int remove_hanja, int blank_after_long, int mark_joins,
                                      int32_t min_line_bytes, int vocabulary_joints, int input_encoding,
                                      int output_encoding, int year, int month, int day) {
    conversion_options = ConversionOptions{split_long_sentences, remove_hanja, blank_after_long,
                                           mark_joins, min_line_bytes, vocabulary_joints};
    result.clear();
    DecodedText source = decode_input(bytes, count, input_encoding);
    read_as = source.encoding;
    std::string written = with_footer(reflowed(source.cp949), year, month, day);
    result = output_encoding == OUTPUT_UTF8 ? cp949_to_utf8(written) : std::move(written);
}

EMSCRIPTEN_KEEPALIVE const char* web_result() { return result.data(); }

EMSCRIPTEN_KEEPALIVE uint32_t web_result_length() { return static_cast<uint32_t>(result.size()); }

// The encoding the last file was read as, NUL-terminated.
EMSCRIPTEN_KEEPALIVE const char* web_read_as() { return read_as; }

}
