#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/corpus/wrap_styles.h"

namespace tessaline {

// What a repair got right, counted over the gaps between neighbouring text bytes of the original.
struct QualityCounts {
    size_t joints = 0;         // cuts inside a paragraph
    size_t joints_right = 0;   // ... with exactly the original's space or no space, no break
    size_t spaced_joints = 0;  // cuts where the original has a space
    size_t spaced_joints_right = 0;
    size_t kept_breaks = 0;          // cuts left as line breaks
    size_t breaks = 0;               // paragraph boundaries of the original
    size_t breaks_found = 0;         // ... with a line break in the output
    size_t output_breaks = 0;        // gaps with a line break in the output
    size_t output_breaks_right = 0;  // ... that are paragraph boundaries of the original
    size_t gaps = 0;                 // all gaps
    size_t gaps_right = 0;           // ... with the original's whitespace (any break for a boundary)
    size_t lost = 0;                 // texts whose bytes the output does not hold in order

    void add(const QualityCounts& other);

    size_t unspaced_joints() const { return joints - spaced_joints; }
    size_t unspaced_joints_right() const { return joints_right - spaced_joints_right; }
    // Line breaks the output puts where the original has neither a paragraph end nor a cut.
    size_t invented_breaks() const { return output_breaks - output_breaks_right - kept_breaks; }
};

// A joint repaired with the wrong space, a cut left as a line break, a paragraph break left out or
// a break put inside a line.
enum class ErrorKind { JOINT, KEPT_BREAK, MISSED_BREAK, INVENTED_BREAK };

// Which kinds of error are kept, one bit per kind.
using ErrorKinds = unsigned;
constexpr ErrorKinds error_bit(ErrorKind kind) { return 1u << static_cast<unsigned>(kind); }
constexpr ErrorKinds all_error_kinds = error_bit(ErrorKind::JOINT) | error_bit(ErrorKind::KEPT_BREAK) |
                                       error_bit(ErrorKind::MISSED_BREAK) | error_bit(ErrorKind::INVENTED_BREAK);

// An error as CP949 text around it: the original and the output.
struct JointError {
    ErrorKind kind;
    std::string original;
    std::string output;
};

// Scores one repaired text against the novel it was wrapped from. Up to `keep_errors` errors of
// the `kinds` asked for are added to `errors` when it is given.
QualityCounts score_repair(const WrappedNovel& novel, std::string_view output, size_t keep_errors = 0,
                           std::vector<JointError>* errors = nullptr, ErrorKinds kinds = all_error_kinds);

// A share as a percentage with one decimal, or "-" when nothing was counted.
std::string percent(size_t part, size_t whole);

}  // namespace tessaline
