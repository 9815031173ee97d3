#pragma once

#include <string>
#include <string_view>

namespace tessaline {

// The encodings a text file may come in. The engine always works on CP949.
enum class TextEncoding { cp949, utf8, utf16le, utf16be };

// How an input's encoding is chosen. `automatic` detects it; the others force one, except that
// `cp949` still follows a byte-order mark and `utf16` takes its byte order from the mark or, when
// there is none, from the text.
enum class InputEncoding { automatic, cp949, utf8, utf16le, utf16be, utf16 };

// What a result is written in. `same` keeps a CP949 input's encoding and writes every other
// input in UTF-8.
enum class OutputEncoding { cp949, utf8, same };

// The encoding a result of an input in `input` is written in.
TextEncoding output_encoding_for(OutputEncoding choice, TextEncoding input);

// The encoding a name stands for, in any case: the names people use for CP949 (cp949, uhc,
// ms949, euc-kr, ks_c_5601-1987), utf-8, utf8, utf-16le, utf-16be, utf-16, and "auto". False
// for any other name.
bool input_encoding_named(std::string_view name, InputEncoding& encoding);
bool output_encoding_named(std::string_view name, OutputEncoding& encoding);

// The accepted names, for a message that lists them.
extern const char input_encoding_names[];
extern const char output_encoding_names[];

// "CP949", "UTF-8", "UTF-16LE" or "UTF-16BE", for messages.
const char* encoding_label(TextEncoding encoding);

}  // namespace tessaline
