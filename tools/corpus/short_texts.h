#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

// Characters of a CP949 text: a byte from 0x81 on leads a character of two bytes.
size_t cp949_chars(std::string_view text);

// A novel cut into short texts of fewer than `max_chars` characters each (an LF between two
// paragraphs counted as one), for measuring how the repair does when a file holds little text.
// Whole paragraphs are gathered while they fit; a paragraph too long for a text of its own is
// cut at its last space that fits, so every piece ends between two words.
std::vector<std::vector<std::string>> cut_short_texts(const std::vector<std::string>& paragraphs, size_t max_chars);

}  // namespace tessaline
