#include "tools/checks/engine_run.h"

namespace tessaline {

ConversionOptions window_options() {
    ConversionOptions options;
    options.split_long_sentences = true;
    options.blank_after_long = true;
    options.remove_hanja = false;
    options.mark_joins = false;
    options.min_line_bytes = 30;
    return options;
}

std::string run_engine(std::string_view source, const ConversionOptions& options) { return reflow(source, options); }

}  // namespace tessaline
