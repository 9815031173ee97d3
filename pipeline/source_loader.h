#pragma once

constexpr int ENCODING_ANSI = 1000;
constexpr int ENCODING_UTF16LE = 1001;
constexpr int ENCODING_UTF8 = 1002;

// Classifies a NUL-terminated raw buffer by its byte-order mark.
int detect_text_encoding(const unsigned char* raw);

// Loads a file into the source text, decoding a UTF-8 or UTF-16LE file to CP949. On failure the
// source text and source size keep their previous values.
bool load_source_file(const char* path);
