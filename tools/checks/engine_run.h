#pragma once

#include <string>
#include <string_view>

#include "engine/reflow.h"

namespace tessaline {

// Options as the window starts: long-paragraph splitting and the empty line after long
// paragraphs on, the rest off, minimum length "15".
ConversionOptions window_options();

// Runs the whole engine on `source` and returns the final text.
std::string run_engine(std::string_view source, const ConversionOptions& options);

}  // namespace tessaline
