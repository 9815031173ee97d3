#pragma once

#include <cstdint>
#include <string>

#include "engine/text_buffer.h"

#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoding.h"

// The loaded text, decoded to CP949 and NUL-terminated, and the raw byte count of its file (never
// less than the text's length).
extern TextBuffer source_text;
extern uint32_t source_size;

// What the writer needs of the loaded document besides its text: the name its messages use,
// the encoding it was read in (which `same` writes it in), the stand-ins to give back, and the
// characters already written as "?".
struct LoadedSource {
    std::string name;
    TextEncoding encoding = TextEncoding::cp949;
    StandInTable stand_ins;
    UnkeptCharacters unkept;
};

extern LoadedSource loaded_source;

// Loads a file, or standard input for "-", into the source text: its encoding found (or forced)
// as run_settings.input_encoding says, decoded to CP949 for a result in the encoding
// run_settings.output_encoding gives it, read to its end, NUL characters dropped. Bytes that
// were not text are told to run_settings.on_warning. Any failure (cannot open or read, not
// text, too large) is reported to run_settings.on_failure and leaves the source text, the
// source size and loaded_source as they were.
bool load_source_file(const char* path);
