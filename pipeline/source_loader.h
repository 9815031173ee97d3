#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/text_buffer.h"

// The loaded text, decoded to CP949 and NUL-terminated, and the raw byte count of its file.
extern TextBuffer source_text;
extern uint32_t source_size;

constexpr int ENCODING_ANSI = 1000;
constexpr int ENCODING_UTF16LE = 1001;
constexpr int ENCODING_UTF8 = 1002;

// Classifies a raw buffer by its byte-order mark. The buffer must end in two zero bytes.
int detect_text_encoding(const unsigned char* raw);

// Loads a file into the source text, decoding it to CP949 as run_settings.input_encoding says
// and dropping NUL characters. Any failure (cannot open, short or failed read) is reported to
// run_settings.on_failure and leaves the source text and source size as they were.
bool load_source_file(const char* path);

// The same for bytes already in memory, such as standard input; `name` is what a failure is
// reported under.
bool load_source_bytes(const unsigned char* bytes, size_t count, const char* name);
