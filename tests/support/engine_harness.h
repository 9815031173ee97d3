#pragma once

#include <string>

#include "engine/reflow.h"

namespace tessaline {

// Options as the window starts: long-sentence splitting and the blank line after long
// paragraphs on, the rest off, minimum length "15".
ConversionOptions window_defaults();

// Every option off and no minimum length: only the line loop's own rules act.
ConversionOptions plain_options();

// The engine on text written in UTF-8: converted to CP949 on the way in and back on the way out,
// so expectations read as Korean.
std::string reflow_utf8(const std::string& source, const ConversionOptions& options);

}  // namespace tessaline
