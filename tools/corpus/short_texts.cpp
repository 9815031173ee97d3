#include "tools/corpus/short_texts.h"

namespace tessaline {

namespace {

size_t char_width(std::string_view text, size_t pos) {
    return static_cast<unsigned char>(text[pos]) >= 0x81 && pos + 1 < text.size() ? 2 : 1;
}

// Where the head of `paragraph` from `start` that has fewer than `max_chars` characters ends:
// at its last space, or (with no space in reach) at the last character that fits.
size_t short_head_end(std::string_view paragraph, size_t start, size_t max_chars) {
    size_t pos = start;
    size_t chars = 0;
    size_t last_space = 0;
    while (pos < paragraph.size() && chars + 1 < max_chars) {
        if (paragraph[pos] == ' ') last_space = pos;
        pos += char_width(paragraph, pos);
        ++chars;
    }
    if (pos >= paragraph.size()) return paragraph.size();
    return last_space > start ? last_space : pos;
}

// Pieces of fewer than `max_chars` characters each, cut between words where the text has any.
std::vector<std::string> paragraph_pieces(const std::string& paragraph, size_t max_chars) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < paragraph.size()) {
        size_t end = short_head_end(paragraph, start, max_chars);
        pieces.push_back(paragraph.substr(start, end - start));
        start = end;
        while (start < paragraph.size() && paragraph[start] == ' ') ++start;
    }
    return pieces;
}

}  // namespace

size_t cp949_chars(std::string_view text) {
    size_t chars = 0;
    for (size_t pos = 0; pos < text.size(); pos += char_width(text, pos)) ++chars;
    return chars;
}

std::vector<std::vector<std::string>> cut_short_texts(const std::vector<std::string>& paragraphs, size_t max_chars) {
    std::vector<std::vector<std::string>> texts;
    std::vector<std::string> current;
    size_t current_chars = 0;
    for (const std::string& paragraph : paragraphs) {
        for (const std::string& piece : paragraph_pieces(paragraph, max_chars)) {
            size_t chars = cp949_chars(piece);
            size_t joined = current.empty() ? chars : current_chars + 1 + chars;
            if (joined >= max_chars) {
                texts.push_back(current);
                current.clear();
                joined = chars;
            }
            current.push_back(piece);
            current_chars = joined;
        }
    }
    if (!current.empty()) texts.push_back(current);
    return texts;
}

}  // namespace tessaline
