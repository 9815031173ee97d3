#include "tests/support/engine_harness.h"

#include "tests/support/cp949.h"

namespace tessaline {

ConversionOptions window_defaults() {
    ConversionOptions options = plain_options();
    options.split_long_sentences = true;
    options.blank_after_long = true;
    options.min_line_bytes = 30;
    return options;
}

ConversionOptions plain_options() {
    ConversionOptions options;
    options.split_long_sentences = false;
    options.blank_after_long = false;
    options.min_line_bytes = 0;
    return options;
}

std::string reflow_utf8(const std::string& source, const ConversionOptions& options) {
    return utf8(reflow(cp949(source), options));
}

}  // namespace tessaline
