#include "tools/checks/text_kept.h"

#include <cstdio>

namespace {

constexpr unsigned char FULL_WIDTH = 0xA1;   // both bytes of the full-width space
const unsigned char OLD_ENDING[4] = {0xC0, 0xBE, 0xB4, 0xCF};  // 읍니
const unsigned char NEW_ENDING[4] = {0xBD, 0xC0, 0xB4, 0xCF};  // 습니

unsigned char at(std::string_view text, size_t pos) {
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

size_t skip_layout(std::string_view text, size_t pos) {
    while (pos < text.size() && is_layout_byte(at(text, pos))) ++pos;
    return pos;
}

bool full_width_space_at(std::string_view text, size_t pos) {
    return pos + 1 < text.size() && at(text, pos) == FULL_WIDTH && at(text, pos + 1) == FULL_WIDTH;
}

// The source's next four text bytes spell the old ending and the output holds the new one at j;
// the old ending may be spread over a joint, the corrected one never is.
bool corrected_ending(std::string_view source, size_t i, std::string_view output, size_t j, size_t found[4]) {
    for (int k = 0; k < 4; ++k) {
        if (at(output, j + k) != NEW_ENDING[k]) return false;
        i = skip_layout(source, i);
        if (i >= source.size() || at(source, i) != OLD_ENDING[k]) return false;
        found[k] = i++;
    }
    return true;
}

class Aligner {
public:
    // `record`: whether the positions of the kept bytes are wanted, or only whether all are kept.
    Aligner(std::string_view source, std::string_view output, KeptTextAllowance allowance, bool record)
        : source_(source), output_(output), allowance_(allowance), record_(record) {}

    TextAlignment run() {
        while (step()) {}
        result_.source_stop = i_;
        result_.output_stop = j_;
        return result_;
    }

private:
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
        // A full-width space the output does not repeat went with the indentation; its lead byte
        // must not be matched to the lead byte of the next mark.
        if (full_width_space_at(source_, i_) && !full_width_space_at(output_, j_)) {
            i_ += 2;
            return true;
        }
        if (source_left && output_left && at(source_, i_) == at(output_, j_)) {
            keep(i_++, j_++);
            return true;
        }
        size_t found[4];
        if (source_left && corrected_ending(source_, i_, output_, j_, found)) {
            for (int k = 0; k < 4; ++k) keep(found[k], j_ + k);
            i_ = found[3] + 1;
            j_ += 4;
            return true;
        }
        if (allowance_.output_full_width && full_width_space_at(output_, j_)) {
            j_ += 2;
            return true;
        }
        if (allowance_.join_marks && output_left && at(output_, j_) == '`') {
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

    std::string_view source_;
    std::string_view output_;
    KeptTextAllowance allowance_;
    bool record_;
    TextAlignment result_;
    size_t i_ = 0;
    size_t j_ = 0;
};

}  // namespace

bool is_layout_byte(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

TextAlignment align_kept_text(std::string_view source, std::string_view output, KeptTextAllowance allowance) {
    return Aligner(source, output, allowance, true).run();
}

std::string find_lost_text(std::string_view source, std::string_view output, KeptTextAllowance allowance) {
    TextAlignment alignment = Aligner(source, output, allowance, false).run();
    if (alignment.complete) return {};
    std::string what = alignment.source_stop >= source.size() ? "the output adds text"
                       : alignment.output_stop >= output.size() ? "text is lost"
                                                                 : "the texts part";
    return what + ": source byte " + std::to_string(alignment.source_stop) + " [" +
           hex_context(source, alignment.source_stop) + "], output byte " + std::to_string(alignment.output_stop) +
           " [" + hex_context(output, alignment.output_stop) + "]";
}

std::string find_bad_line_end(std::string_view output) {
    for (size_t k = 0; k < output.size(); ++k) {
        if (output[k] == '\0') return "NUL in the output at byte " + std::to_string(k) + " [" + hex_context(output, k) + "]";
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
        std::snprintf(piece, sizeof piece, k == position ? "<%02X>" : "%02X", at(text, k));
        if (!hex.empty()) hex += ' ';
        hex += piece;
    }
    if (position >= text.size()) hex += hex.empty() ? "<end>" : " <end>";
    return hex;
}
