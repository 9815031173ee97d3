#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaline {

// The ways real files come hard-wrapped.
enum class WrapStyle {
    CUT_SPACE_DROPPED,  // cut every line at the width, anywhere; a space at the cut is lost
    CUT_SPACE_KEPT,     // cut anywhere; a space at the cut stays at the line's end
    BLANK_LINES,        // as CUT_SPACE_DROPPED, paragraphs separated by empty lines
    INDENTED,           // as CUT_SPACE_DROPPED, first lines indented with a full-width space
    WORD_WRAP,          // cut only between words; the space at the cut is lost
};

// 35 characters as wide as a Hangul syllable: 70 bytes of CP949.
constexpr size_t wrap_width = 70;

const std::vector<WrapStyle>& all_wrap_styles();
const char* wrap_style_name(WrapStyle style);
// False when the name is none of the styles' names.
bool parse_wrap_style(const std::string& name, WrapStyle* style);

struct WrappedNovel {
    std::string text;                             // the file: CP949 with CR LF line ends
    std::string original;                         // the paragraphs joined by LF
    std::vector<size_t> cuts;                     // per cut inside a paragraph: position in
                                                  // `original` of the last text byte before it
    std::vector<std::vector<std::string>> lines;  // each paragraph's lines as the file holds them
};

WrappedNovel wrap_novel(const std::vector<std::string>& paragraphs, WrapStyle style);

// The naive repair: every line of a paragraph joined with `joint` between them, the lines left
// as they are, each paragraph ended by CR LF.
std::string join_paragraph_lines(const WrappedNovel& novel, const std::string& joint);

}  // namespace tessaline
