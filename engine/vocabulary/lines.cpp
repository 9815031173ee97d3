#include "engine/vocabulary/lines.h"

#include "engine/text/marks.h"

namespace tessaline {

namespace {

bool is_space_or_tab(unsigned char b) { return b == ' ' || b == '\t'; }

}  // namespace

int64_t line_text_end(const TextWindow& text, int64_t lf) {
    int64_t end = lf;
    while (end > 0 && (is_space_or_tab(text.at(end - 1)) || text.at(end - 1) == '\r')) --end;
    return (end == 0 || text.at(end - 1) == '\n') ? -1 : end;
}

bool line_ends_in_blank(const TextWindow& text, int64_t lf) {
    for (int64_t pos = lf - 1; pos >= 0; --pos) {
        unsigned char b = text.at(pos);
        if (is_space_or_tab(b)) return true;
        if (b != '\r') return false;
    }
    return false;
}

bool starts_paragraph(const TextWindow& text, int64_t line_start) {
    unsigned char first = text.at(line_start);
    if (first == '\t' || (first == ' ' && text.at(line_start + 1) == ' ')) return true;
    if (text.has(line_start, "\xA1\xA1", 2)) return true;  // 　
    int64_t pos = line_start;
    while (is_space_or_tab(text.at(pos))) ++pos;
    return text.at(pos) == '\r' || text.at(pos) == '\n';
}

int64_t next_line_text(const TextWindow& text, int64_t line_start) {
    int64_t pos = line_start;
    while (is_blank_byte(text.at(pos))) ++pos;
    return pos;
}

bool ends_sentence(const SourceChar& c) {
    if (c.width == 2) return (c.code >> 8) == mark_lead;
    return c.code == '.' || c.code == '?' || c.code == '!' || c.code == '"' || c.code == '\'';
}

}  // namespace tessaline
