#pragma once

#include <cstddef>

#include "engine/text_buffer.h"

struct ProgressView;

// Appended to a preview that was cut: an empty line, then five lines of 18 spaces and a full stop.
extern const char DOTTED_TAIL[];
constexpr size_t DOTTED_TAIL_LENGTH = 109;

// The text with trailing spaces and line breaks cut to one CR LF. Returns its length; `into`
// ends in a NUL.
size_t compose_text(TextBuffer& into, const unsigned char* text, size_t length);

// Builds the string the output file holds: the text composed as above, then the footer dated
// year.month.day. Returns its length; `into` ends in a NUL.
size_t compose_output(TextBuffer& into, const unsigned char* text, size_t length, int year, int month, int day);

// Writes the final text with its footer where output_path_for(input_path) says (or to standard
// output), then shows it, cut to preview_limit bytes, through show_preview. Returns false, after
// telling run_settings.on_failure why, when it could not be written; an earlier output file
// then stays as it was and the preview is left alone.
bool write_output(const ProgressView* view, const unsigned char* text, size_t length, const char* input_path,
                  int preview_limit);
