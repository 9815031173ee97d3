#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// Gives stand-alone quotations inside the current line paragraphs of their own.
void insert_dialogue_breaks(Conversion& cv);

// How far back in the output and ahead in the source a quotation's other mark is looked for.
constexpr int64_t dialogue_output_window = 49;
constexpr int64_t dialogue_source_window = 49;

}  // namespace tessaline
