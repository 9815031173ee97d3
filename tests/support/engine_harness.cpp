#include "tests/support/engine_harness.h"

#include <cstring>

#include "engine/reflow.h"
#include "tests/support/cp949.h"

ConversionOptions window_defaults() {
    ConversionOptions options{};
    options.split_long_sentences = 1;
    options.blank_after_long = 1;
    options.min_line_bytes = 30;
    return options;
}

ConversionOptions plain_options() { return ConversionOptions{}; }

std::string reflow(const std::string& source, const ConversionOptions& options) {
    text_buffer_reset(source_text, source.size() + 2);
    std::memcpy(source_text.bytes, source.data(), source.size());
    source_size = static_cast<uint32_t>(source.size());
    conversion_options = options;
    reflow_document(nullptr);
    return std::string(reinterpret_cast<const char*>(final_text()), final_text_length());
}

std::string reflow_utf8(const std::string& source, const ConversionOptions& options) {
    return utf8(reflow(cp949(source), options));
}
