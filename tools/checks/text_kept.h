#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

// Whitespace for these checks: the engine may add, drop and move these freely.
bool is_layout_byte(unsigned char c);

// What the engine may do to the text besides moving whitespace.
struct KeptTextAllowance {
    bool join_marks = false;         // backquotes the engine put at joints
    bool output_full_width = false;  // full-width spaces the output holds that the source lacks
};

// How the text bytes of a source (every byte that is not layout) arrived in an output: the
// n-th text byte of the source, at source_positions[n], stands at output_positions[n]. Leading
// full-width spaces turned into spaces have no position; "읍니" corrected to "습니" keeps one.
struct TextAlignment {
    std::vector<size_t> source_positions;
    std::vector<size_t> output_positions;
    bool complete = false;
    size_t source_stop = 0;  // where matching stopped when it is not complete
    size_t output_stop = 0;
};

TextAlignment align_kept_text(std::string_view source, std::string_view output, KeptTextAllowance allowance);

// Empty when every text byte of the source arrives in the output in the same order and the
// output adds none; otherwise a description of the first difference, with hex context.
std::string find_lost_text(std::string_view source, std::string_view output, KeptTextAllowance allowance);

// The same for texts of Unicode characters, such as a UTF-8 input and its UTF-8 result, under
// the same allowances: every character that is not white space arrives, in order.
std::string find_lost_characters(std::u32string_view source, std::u32string_view output, KeptTextAllowance allowance);

// Empty when the output holds no NUL and every LF in it follows a CR; otherwise where it fails.
std::string find_bad_line_end(std::string_view output);

// The bytes around a position as hex, for failure messages.
std::string hex_context(std::string_view text, size_t position);

}  // namespace tessaline
