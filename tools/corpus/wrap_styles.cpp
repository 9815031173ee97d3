#include "tools/corpus/wrap_styles.h"

namespace tessaline {

namespace {

const char full_width_space[] = "\xA1\xA1";  // 　

size_t char_length(const std::string& text, size_t pos) {
    return static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size() ? 2 : 1;
}

// The end of the longest run of whole characters from `start` that fits in `width` bytes.
size_t fitting_end(const std::string& text, size_t start, size_t width) {
    size_t end = start;
    while (end < text.size() && end - start + char_length(text, end) <= width) end += char_length(text, end);
    if (end == start && end < text.size()) end += char_length(text, end);
    return end;
}

class ParagraphWrapper {
public:
    ParagraphWrapper(const std::string& paragraph, size_t base, WrapStyle style, WrappedNovel& into)
        : text_(paragraph), base_(base), style_(style), into_(into) {}

    std::vector<std::string> run() {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text_.size()) {
            std::string prefix = lines.empty() && style_ == WrapStyle::INDENTED ? full_width_space : "";
            size_t end = fitting_end(text_, start, wrap_width - prefix.size());
            if (end >= text_.size()) {
                lines.push_back(prefix + text_.substr(start));
                break;
            }
            if (style_ == WrapStyle::WORD_WRAP) end = last_word_end(start, end);
            size_t next = cut(start, end, lines, prefix);
            start = next;
        }
        return lines;
    }

private:
    // Word wrapping moves the cut back to the last space of the line, when there is one.
    size_t last_word_end(size_t start, size_t end) const {
        if (text_[end] == ' ') return end;
        for (size_t k = end; k > start + 1; --k)
            if (text_[k - 1] == ' ') return k - 1;
        return end;
    }

    // Ends a line before `end`; returns where the next line starts.
    size_t cut(size_t start, size_t end, std::vector<std::string>& lines, const std::string& prefix) {
        size_t line_end = end;
        size_t next = end;
        bool keeps_space = style_ == WrapStyle::CUT_SPACE_KEPT;
        if (text_[next] == ' ') {
            ++next;
            if (keeps_space) line_end = next;
        } else if (!keeps_space) {
            while (line_end > start + 1 && text_[line_end - 1] == ' ') --line_end;
        }
        record_cut(start, next);
        lines.push_back(prefix + text_.substr(start, line_end - start));
        return next;
    }

    void record_cut(size_t start, size_t next) {
        size_t last = next;
        while (last > start && text_[last - 1] == ' ') --last;
        if (last > start) into_.cuts.push_back(base_ + last - 1);
    }

    const std::string& text_;
    size_t base_;
    WrapStyle style_;
    WrappedNovel& into_;
};

}  // namespace

const std::vector<WrapStyle>& all_wrap_styles() {
    static const std::vector<WrapStyle> styles = {WrapStyle::CUT_SPACE_DROPPED, WrapStyle::CUT_SPACE_KEPT,
                                                  WrapStyle::BLANK_LINES, WrapStyle::INDENTED, WrapStyle::WORD_WRAP};
    return styles;
}

const char* wrap_style_name(WrapStyle style) {
    switch (style) {
    case WrapStyle::CUT_SPACE_DROPPED: return "cut-space-dropped";
    case WrapStyle::CUT_SPACE_KEPT: return "cut-space-kept";
    case WrapStyle::BLANK_LINES: return "blank-lines";
    case WrapStyle::INDENTED: return "indented";
    case WrapStyle::WORD_WRAP: return "word-wrap";
    }
    return "";
}

bool parse_wrap_style(const std::string& name, WrapStyle* style) {
    for (WrapStyle candidate : all_wrap_styles()) {
        if (name != wrap_style_name(candidate)) continue;
        *style = candidate;
        return true;
    }
    return false;
}

WrappedNovel wrap_novel(const std::vector<std::string>& paragraphs, WrapStyle style) {
    WrappedNovel novel;
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) novel.original += '\n';
        novel.lines.push_back(ParagraphWrapper(paragraphs[p], novel.original.size(), style, novel).run());
        novel.original += paragraphs[p];
        if (p > 0 && style == WrapStyle::BLANK_LINES) novel.text += "\r\n";
        for (const std::string& line : novel.lines.back()) novel.text += line + "\r\n";
    }
    return novel;
}

std::string join_paragraph_lines(const WrappedNovel& novel, const std::string& joint) {
    std::string joined;
    for (const auto& lines : novel.lines) {
        for (size_t k = 0; k < lines.size(); ++k) joined += (k > 0 ? joint : "") + lines[k];
        joined += "\r\n";
    }
    return joined;
}

}  // namespace tessaline
