#include "tools/checks/engine_run.h"

#include <cstring>

#include "engine/reflow.h"

ConversionOptions window_options() {
    ConversionOptions options{};
    options.split_long_sentences = 1;
    options.blank_after_long = 1;
    options.min_line_bytes = 30;
    return options;
}

std::string run_engine(std::string_view source, const ConversionOptions& options) {
    text_buffer_reset(source_text, source.size() + 2);
    if (!source.empty()) std::memcpy(source_text.bytes, source.data(), source.size());
    source_size = static_cast<uint32_t>(source.size());
    conversion_options = options;
    reflow_document(nullptr);
    return std::string(reinterpret_cast<const char*>(final_text()), final_text_length());
}
