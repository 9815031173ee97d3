#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/text_buffer.h"
#include "pipeline/batch_request.h"

// The loaded text, decoded to CP949 and NUL-terminated, and the raw byte count of its file. Each
// thread has its own, so files of a batch load side by side.
extern thread_local TextBuffer source_text;
extern thread_local uint32_t source_size;

constexpr int ENCODING_ANSI = 1000;
constexpr int ENCODING_UTF16LE = 1001;
constexpr int ENCODING_UTF8 = 1002;

// Classifies a raw buffer by its byte-order mark. The buffer must end in two zero bytes.
int detect_text_encoding(const unsigned char* raw);

// Loads a file into the source text, decoding it to CP949 as `encoding` says and dropping NUL
// characters. Any failure (cannot open, short or failed read) leaves the source text and source
// size as they were and puts the reason, in English, into `failure` when one is given.
bool load_source_file(const char* path, InputEncoding encoding, std::string* failure = nullptr);

// The same for bytes already in memory, such as standard input.
bool load_source_bytes(const unsigned char* bytes, size_t count, InputEncoding encoding, std::string* failure);
