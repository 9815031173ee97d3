#pragma once

#include "engine/reflow.h"

struct ProgressView;

// The options the next conversion runs under: the front end sets them before each file. All off
// until then, with no minimum length.
extern tessaline::ConversionOptions conversion_options;

// The full path of the file being converted; the writer forms the output path from it.
void set_current_input_path(const char* path);
const char* current_input_path();

// Reflows the loaded source text under conversion_options and writes the result beside the
// current input path, showing at most preview_limit bytes of it. Returns 0 when the output was
// written, non-zero when it could not be.
int convert_document(const ProgressView* view, int preview_limit);
