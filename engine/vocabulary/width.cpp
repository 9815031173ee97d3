#include "engine/vocabulary/width.h"

#include <algorithm>
#include <vector>

#include "engine/vocabulary/evidence.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/store.h"

namespace tessaline {

namespace {

// Fewer cut lines than this tell nothing about a width.
constexpr size_t min_cut_lines = 20;
// The width is the one this share of the cut lines stays within: a few lines longer than the
// rest, as a heading may be, do not widen it.
constexpr double width_share = 0.99;
// A book is wrapped at the width when at least this share of its cut lines is full.
constexpr double full_share = 0.9;
// Words are measured up to this many bytes; a longer one fits on no line's rest anyway.
constexpr int64_t longest_measured_word = 64;
// A wrap may have taken a space at the cut, which the next word needed before it.
constexpr int64_t cut_space = 1;

int64_t line_width(const TextWindow& text, int64_t line_start, int64_t lf) {
    int64_t end = lf;
    if (end > line_start && text.at(end - 1) == '\r') --end;
    return end - line_start;
}

int64_t word_width(const TextWindow& text, int64_t start) {
    int64_t end = start;
    while (end - start < longest_measured_word && text.at(end) != 0 && !is_blank_byte(text.at(end))) ++end;
    return end - start;
}

bool fills(int64_t width, int64_t next_unit, int64_t wrap_width) { return width + cut_space + next_unit > wrap_width; }

template <typename CutLine>
int64_t width_of(std::vector<CutLine>& lines) {
    auto share = static_cast<size_t>(width_share * static_cast<double>(lines.size() - 1));
    std::nth_element(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(share), lines.end(),
                     [](const CutLine& a, const CutLine& b) { return a.width < b.width; });
    return lines[share].width;
}

template <typename CutLine>
WrapWidth wrap_of(std::vector<CutLine>& lines) {
    if (lines.size() < min_cut_lines) return {};
    int64_t width = width_of(lines);
    size_t char_full = 0;
    size_t word_full = 0;
    for (const CutLine& line : lines) {
        char_full += fills(line.width, line.first_char, width);
        word_full += fills(line.width, line.first_word, width);
    }
    double needed = full_share * static_cast<double>(lines.size());
    if (static_cast<double>(char_full) >= needed) return {WrapKind::ANYWHERE, width};
    if (static_cast<double>(word_full) >= needed) return {WrapKind::BETWEEN_WORDS, width};
    return {};
}

}  // namespace

void WrapWidthSurvey::survey_line_end(const TextWindow& text, int64_t line_start, int64_t lf) {
    if (line_text_end(text, lf) < 0 || starts_paragraph(text, lf + 1)) return;
    int64_t next = next_line_text(text, lf + 1);
    JointSides joint = joint_sides(text, next);
    if (joint.last.syllable && joint.first.width > 0)
        lines_.push_back({line_width(text, line_start, lf), joint.first.width, word_width(text, next)});
}

void WrapWidthSurvey::conclude(BookVocabulary& v) { v.wrap = wrap_of(lines_); }

bool line_short_of_wrap(const WrapWidth& wrap, const TextWindow& text, int64_t line_start, int64_t lf) {
    if (wrap.kind == WrapKind::NONE) return false;
    int64_t next_text = next_line_text(text, lf + 1);
    int64_t next_unit =
        wrap.kind == WrapKind::ANYWHERE ? source_char_at(text, next_text).width : word_width(text, next_text);
    return !fills(line_width(text, line_start, lf), next_unit, wrap.width);
}

}  // namespace tessaline
