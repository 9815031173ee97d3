#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// The pre-scan reads the source text's first bytes up to here, and no further than ten bytes
// before its end.
constexpr int64_t PRESCAN_BYTES = 50000;
constexpr int64_t PRESCAN_END_MARGIN = 10;

// A line longer than this (LF included) whose last byte is not a space was cut without one.
constexpr int64_t UNSPACED_LINE_BYTES = 30;
// A document with this many such lines wraps inside words.
constexpr int32_t UNSPACED_HABIT = 10;
// A line longer than this (LF included) counts for or against the indentation rule, by whether
// it is indented; after the pre-scan too, each such line moves the count one way or the other.
constexpr int64_t PROFILED_LINE_BYTES = 50;
// A pre-scan that finds more than this many long unindented lines turns the indentation rule on,
// starting its count here; fewer leave it off at zero.
constexpr int32_t INDENTATION_RULE_LINES = 200;
// The indentation rule acts while the count stays above this.
constexpr int32_t INDENTATION_RULE_KEPT = 100;
// Brackets count as quotation marks at the scanned position only in bracket-heavy documents.
constexpr int32_t BRACKET_HABIT = 20;

// Counts the document's habits over its first PRESCAN_BYTES bytes into the conversion's profile.
void prescan_document(Conversion& cv);

}  // namespace tessaline
