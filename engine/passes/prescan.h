#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// The pre-scan reads the source text's first bytes up to here, and no further than ten bytes
// before its end.
constexpr int64_t prescan_bytes = 50000;
constexpr int64_t prescan_end_margin = 10;

// A line longer than this (LF included) whose last byte is not a space was cut without one.
constexpr int64_t unspaced_line_bytes = 30;
// A document with this many such lines wraps inside words.
constexpr int32_t unspaced_habit = 10;
// A line longer than this (LF included) counts for or against the indentation rule, by whether
// it is indented; after the pre-scan too, each such line moves the count one way or the other.
constexpr int64_t profiled_line_bytes = 50;
// A pre-scan that finds more than this many long unindented lines turns the indentation rule on,
// starting its count here; fewer leave it off at zero.
constexpr int32_t indentation_rule_lines = 200;
// The indentation rule acts while the count stays above this.
constexpr int32_t indentation_rule_kept = 100;
// Brackets count as quotation marks at the scanned position only in bracket-heavy documents.
constexpr int32_t bracket_habit = 20;

// Counts the document's habits over its first prescan_bytes bytes into the conversion's profile.
void prescan_document(Conversion& cv);

}  // namespace tessaline
