#pragma once

struct ProgressView;

// Reflows the loaded source text under conversion_options and writes the result beside the
// current input path, showing at most preview_limit bytes of it. Returns 0 when the output was
// written, non-zero when it could not be.
int convert_document(const ProgressView* view, int preview_limit);
