#include "tools/checks/text_kept.h"

#include <cstdio>

#include "engine/text/marks.h"

namespace tessaline {

namespace {

// What the aligner needs to know of the units a text is made of: CP949 bytes or Unicode
// characters.
template <class Unit>
struct Units;

template <>
struct Units<char> {
    static constexpr std::string_view full_width_space = "\xA1\xA1";
    static constexpr std::string_view old_ending = "\xC0\xBE\xB4\xCF";  // 읍니
    static constexpr std::string_view new_ending = "\xBD\xC0\xB4\xCF";  // 습니
};

template <>
struct Units<char32_t> {
    static constexpr std::u32string_view full_width_space = U"\u3000";
    static constexpr std::u32string_view old_ending = U"\uC74D\uB2C8";  // 읍니
    static constexpr std::u32string_view new_ending = U"\uC2B5\uB2C8";  // 습니
};

template <class Unit>
bool is_layout_unit(Unit c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

template <class Unit>
class Aligner {
    using Text = std::basic_string_view<Unit>;
    using Known = Units<Unit>;

public:
    // `record`: whether the positions of the kept units are wanted, or only whether all are kept.
    Aligner(Text source, Text output, KeptTextAllowance allowance, bool record)
        : source_(source), output_(output), allowance_(allowance), record_(record) {}

    TextAlignment run() {
        while (step()) {}
        result_.source_stop = i_;
        result_.output_stop = j_;
        return result_;
    }

private:
    static size_t skip_layout(Text text, size_t pos) {
        while (pos < text.size() && is_layout_unit(text[pos])) ++pos;
        return pos;
    }

    // Compared unit by unit: the check runs at every unit, and a library call there would cost
    // more than the units it compares.
    static bool holds_at(Text text, size_t pos, Text word) {
        if (pos + word.size() > text.size()) return false;
        for (size_t k = 0; k < word.size(); ++k)
            if (text[pos + k] != word[k]) return false;
        return true;
    }

    static bool full_width_space_at(Text text, size_t pos) { return holds_at(text, pos, Known::full_width_space); }

    // Where the output's text goes on after a join mark at `j`, when one stands there and may.
    size_t after_join_mark(size_t j) const {
        if (!allowance_.join_marks || j >= output_.size() || output_[j] != join_mark) return j;
        return skip_layout(output_, j + 1);
    }

    // The source's next text units spell the old ending and the output holds the new one at j;
    // the old ending may be spread over a joint, the corrected one never is.
    bool corrected_ending(size_t i, size_t j, std::vector<size_t>& found) const {
        if (!holds_at(output_, j, Known::new_ending)) return false;
        found.clear();
        for (Unit expected : Known::old_ending) {
            i = skip_layout(source_, i);
            if (i >= source_.size() || source_[i] != expected) return false;
            found.push_back(i++);
        }
        return true;
    }

    // Matches one piece; false when both texts are used up or they part.
    bool step() {
        i_ = skip_layout(source_, i_);
        j_ = skip_layout(output_, j_);
        bool source_left = i_ < source_.size();
        bool output_left = j_ < output_.size();
        if (!source_left && !output_left) {
            result_.complete = true;
            return false;
        }
        // A full-width space the output does not repeat, after a join mark it may set first, went
        // with the indentation; its lead byte must not be matched to the lead byte of the next mark.
        if (full_width_space_at(source_, i_) && !full_width_space_at(output_, j_) &&
            !full_width_space_at(output_, after_join_mark(j_))) {
            i_ += Known::full_width_space.size();
            return true;
        }
        if (source_left && output_left && source_[i_] == output_[j_]) {
            keep(i_++, j_++);
            return true;
        }
        std::vector<size_t> found;
        if (source_left && corrected_ending(i_, j_, found)) {
            for (size_t k = 0; k < found.size(); ++k) keep(found[k], j_ + k);
            i_ = found.back() + 1;
            j_ += found.size();
            return true;
        }
        if (allowance_.output_full_width && full_width_space_at(output_, j_)) {
            j_ += Known::full_width_space.size();
            return true;
        }
        if (allowance_.join_marks && output_left && output_[j_] == join_mark) {
            ++j_;
            return true;
        }
        return false;
    }

    void keep(size_t source_pos, size_t output_pos) {
        if (!record_) return;
        result_.source_positions.push_back(source_pos);
        result_.output_positions.push_back(output_pos);
    }

    Text source_;
    Text output_;
    KeptTextAllowance allowance_;
    bool record_;
    TextAlignment result_;
    size_t i_ = 0;
    size_t j_ = 0;
};

template <class Unit>
std::string describe_loss(const TextAlignment& alignment, std::basic_string_view<Unit> source,
                          std::basic_string_view<Unit> output, const char* unit, std::string source_context,
                          std::string output_context) {
    std::string what = alignment.source_stop >= source.size()   ? "the output adds text"
                       : alignment.output_stop >= output.size() ? "text is lost"
                                                                : "the texts part";
    return what + ": source " + unit + " " + std::to_string(alignment.source_stop) + " [" + source_context +
           "], output " + unit + " " + std::to_string(alignment.output_stop) + " [" + output_context + "]";
}

std::string code_context(std::u32string_view text, size_t position) {
    size_t from = position > 6 ? position - 6 : 0;
    size_t to = position + 6 < text.size() ? position + 6 : text.size();
    std::string codes;
    for (size_t k = from; k < to; ++k) {
        char piece[16];
        std::snprintf(piece, sizeof piece, k == position ? "<U+%04X>" : "U+%04X", static_cast<unsigned>(text[k]));
        if (!codes.empty()) codes += ' ';
        codes += piece;
    }
    if (position >= text.size()) codes += codes.empty() ? "<end>" : " <end>";
    return codes;
}

}  // namespace

bool is_layout_byte(unsigned char c) { return is_layout_unit(c); }

TextAlignment align_kept_text(std::string_view source, std::string_view output, KeptTextAllowance allowance) {
    return Aligner<char>(source, output, allowance, true).run();
}

std::string find_lost_text(std::string_view source, std::string_view output, KeptTextAllowance allowance) {
    TextAlignment alignment = Aligner<char>(source, output, allowance, false).run();
    if (alignment.complete) return {};
    return describe_loss(alignment, source, output, "byte", hex_context(source, alignment.source_stop),
                         hex_context(output, alignment.output_stop));
}

std::string find_lost_characters(std::u32string_view source, std::u32string_view output, KeptTextAllowance allowance) {
    TextAlignment alignment = Aligner<char32_t>(source, output, allowance, false).run();
    if (alignment.complete) return {};
    return describe_loss(alignment, source, output, "character", code_context(source, alignment.source_stop),
                         code_context(output, alignment.output_stop));
}

std::string find_bad_line_end(std::string_view output) {
    for (size_t k = 0; k < output.size(); ++k) {
        if (output[k] == '\0')
            return "NUL in the output at byte " + std::to_string(k) + " [" + hex_context(output, k) + "]";
        if (output[k] == '\n' && (k == 0 || output[k - 1] != '\r'))
            return "LF without CR at output byte " + std::to_string(k) + " [" + hex_context(output, k) + "]";
    }
    return {};
}

std::string hex_context(std::string_view text, size_t position) {
    size_t from = position > 12 ? position - 12 : 0;
    size_t to = position + 12 < text.size() ? position + 12 : text.size();
    std::string hex;
    for (size_t k = from; k < to; ++k) {
        char piece[8];
        std::snprintf(piece, sizeof piece, k == position ? "<%02X>" : "%02X", static_cast<unsigned char>(text[k]));
        if (!hex.empty()) hex += ' ';
        hex += piece;
    }
    if (position >= text.size()) hex += hex.empty() ? "<end>" : " <end>";
    return hex;
}

}  // namespace tessaline
