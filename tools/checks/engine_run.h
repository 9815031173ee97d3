#pragma once

#include <string>
#include <string_view>

#include "engine/engine_state.h"

// Options as the window starts: long-paragraph splitting and the empty line after long
// paragraphs on, the rest off, minimum length "15".
ConversionOptions window_options();

// Puts `source` in the source text (as a loaded file of that size), runs the whole engine and
// returns the final text.
std::string run_engine(std::string_view source, const ConversionOptions& options);
