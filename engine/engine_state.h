#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/text_buffer.h"

struct ProgressView;

// Options of one file, copied from the window's controls before each file. A flag is on only
// when it holds 1.
struct ConversionOptions {
    int split_long_sentences;
    int remove_hanja;
    int blank_after_long;
    int mark_joins;
    int32_t min_line_bytes;     // twice the number of Korean characters typed by the user
    int vocabulary_joints;      // the command line's book-vocabulary mode; never set by the window
};

// Habits of the document, counted by the pre-scan over its first 50000 bytes.
struct DocumentProfile {
    int32_t unspaced_long_lines;
    int32_t bracket_openers;
    int32_t unindented_long_lines;
};

// Positions and lengths of one run of the engine; all zero when a run starts.
struct EngineState {
    uint32_t source_length;
    uint32_t line_start;
    uint32_t line_end;
    int32_t line_len;
    uint32_t output_length;
    int32_t following_newlines;
    int32_t last_progress;
    uint32_t next_start;        // first byte of the next line's text, for the joint rules
    int32_t mark_offset;        // 1 when a join mark follows the line's text
    int32_t space_added;        // 1 when the joint rules appended the space at this joint
    uint32_t second_pass_length;
};

// The long-lived buffers. Each stays NUL-terminated at its recorded length:
// source text at source_length, output text at output_length, line buffer at line_len,
// second-pass buffer at second_pass_length.
extern TextBuffer source_text;
extern uint32_t source_size;            // raw byte count of the loaded file
extern TextBuffer output_text;
extern TextBuffer line_buffer;
extern TextBuffer scratch_buffer;
extern TextBuffer second_pass_buffer;

extern ConversionOptions conversion_options;
extern DocumentProfile document_profile;
extern EngineState engine_state;
extern const ProgressView* engine_view;

// Byte readers: a position before the start of a buffer, or at or past the end of its text,
// reads as NUL, so no rule ever reads outside the text. Inline, as the rules call them per byte.
inline unsigned char byte_within(const TextBuffer& buffer, int64_t pos, int64_t length) {
    if (pos < 0 || pos >= length) return 0;
    return buffer.bytes[pos];
}
inline unsigned char line_byte(int64_t pos) { return byte_within(line_buffer, pos, engine_state.line_len); }
inline unsigned char source_byte(int64_t pos) { return byte_within(source_text, pos, engine_state.source_length); }
inline unsigned char output_byte(int64_t pos) { return byte_within(output_text, pos, engine_state.output_length); }

// A word matches when `length` bytes from `pos` equal it; a NUL in the text never matches.
inline bool has_word(const TextBuffer& buffer, int64_t text_length, int64_t pos, const char* word, int length) {
    for (int k = 0; k < length; ++k) {
        unsigned char b = byte_within(buffer, pos + k, text_length);
        if (b == 0 || b != static_cast<unsigned char>(word[k])) return false;
    }
    return true;
}
inline bool line_has(int64_t pos, const char* word, int length) {
    return has_word(line_buffer, engine_state.line_len, pos, word, length);
}
inline bool source_has(int64_t pos, const char* word, int length) {
    return has_word(source_text, engine_state.source_length, pos, word, length);
}
inline bool output_has(int64_t pos, const char* word, int length) {
    return has_word(output_text, engine_state.output_length, pos, word, length);
}

// Appending keeps the buffer NUL-terminated and its length exact, growing it when needed.
void line_append(const void* bytes, size_t count);
void line_truncate(int32_t length);
void output_append(const void* bytes, size_t count);
void second_pass_append(const void* bytes, size_t count);

// Moves the file bar, but only forward.
void report_file_progress(int percent);
