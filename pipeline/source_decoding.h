#pragma once

#include <cstddef>

#include "engine/text_buffer.h"
#include "pipeline/batch_request.h"

// Whether `count` bytes are well-formed UTF-8 holding at least one non-ASCII character.
bool is_non_ascii_utf8(const unsigned char* bytes, size_t count);

// Turns a raw buffer of `size` bytes, followed by two zero bytes, into the source text under
// `encoding`; the raw buffer is consumed. Returns the decoded length.
size_t decode_into_source(TextBuffer& raw, size_t size, InputEncoding encoding);
