#include "tools/quality/quality_score.h"

#include <cstdio>

#include "tools/checks/text_kept.h"

namespace tessaline {

namespace {

constexpr size_t error_context = 24;  // bytes shown on each side of a wrong joint

std::string_view gap(std::string_view text, size_t before, size_t after) {
    return text.substr(before + 1, after - before - 1);
}

bool holds_break(std::string_view whitespace) { return whitespace.find('\n') != std::string_view::npos; }

// Whole characters around a position, so the context prints as readable text: characters are
// counted from the start of the position's line, where one surely begins.
std::string around(std::string_view text, size_t position) {
    size_t line = text.rfind('\n', position == 0 ? 0 : position - 1);
    size_t from = line == std::string_view::npos ? 0 : line + 1;
    while (from + error_context < position) from += static_cast<unsigned char>(text[from]) >= 0x80 ? 2 : 1;
    size_t to = position + error_context < text.size() ? position + error_context : text.size();
    size_t end = from;
    while (end < to) end += static_cast<unsigned char>(text[end]) >= 0x80 ? 2 : 1;
    std::string shown(text.substr(from, end - from));
    for (char& c : shown)
        if (c == '\r' || c == '\n') c = '|';
    return shown;
}

}  // namespace

void QualityCounts::add(const QualityCounts& other) {
    joints += other.joints;
    joints_right += other.joints_right;
    spaced_joints += other.spaced_joints;
    spaced_joints_right += other.spaced_joints_right;
    kept_breaks += other.kept_breaks;
    breaks += other.breaks;
    breaks_found += other.breaks_found;
    output_breaks += other.output_breaks;
    output_breaks_right += other.output_breaks_right;
    gaps += other.gaps;
    gaps_right += other.gaps_right;
    lost += other.lost;
}

QualityCounts score_repair(const WrappedNovel& novel, std::string_view output, size_t keep_errors,
                           std::vector<JointError>* errors, ErrorKinds kinds) {
    QualityCounts counts;
    std::string_view original = novel.original;
    TextAlignment alignment = align_kept_text(original, output, KeptTextAllowance{false, true});
    if (!alignment.complete) {
        counts.lost = 1;
        return counts;
    }
    std::vector<bool> cut_after(original.size(), false);
    for (size_t cut : novel.cuts) cut_after[cut] = true;
    const auto& from = alignment.source_positions;
    const auto& to = alignment.output_positions;
    for (size_t n = 0; n + 1 < from.size(); ++n) {
        std::string_view wanted = gap(original, from[n], from[n + 1]);
        std::string_view made = gap(output, to[n], to[n + 1]);
        bool boundary = holds_break(wanted);
        bool broken = holds_break(made);
        bool right = boundary ? broken : made == wanted;
        ++counts.gaps;
        counts.gaps_right += right;
        counts.breaks += boundary;
        counts.breaks_found += boundary && broken;
        counts.output_breaks += broken;
        counts.output_breaks_right += boundary && broken;
        bool joint = cut_after[from[n]];
        if (joint) {
            ++counts.joints;
            counts.joints_right += right;
            counts.spaced_joints += !wanted.empty();
            counts.spaced_joints_right += !wanted.empty() && right;
            counts.kept_breaks += broken;
        }
        ErrorKind kind = joint      ? (broken ? ErrorKind::KEPT_BREAK : ErrorKind::JOINT)
                         : boundary ? ErrorKind::MISSED_BREAK
                                    : ErrorKind::INVENTED_BREAK;
        bool shown = (joint || boundary || broken) && (kinds & error_bit(kind)) != 0;
        if (!right && shown && errors != nullptr && errors->size() < keep_errors)
            errors->push_back({kind, around(original, from[n] + 1), around(output, to[n] + 1)});
    }
    return counts;
}

std::string percent(size_t part, size_t whole) {
    if (whole == 0) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

}  // namespace tessaline
