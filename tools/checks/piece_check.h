#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/reflow.h"

namespace tessaline {

// Where a scan reads the vocabulary mode's joints as its conversion is fed: not at all, a piece
// ahead of the conversion, so far ahead (every piece before the conversion starts) that its
// readings find no room, or a piece behind, when they come too late.
enum class ScanPlace { none, one_piece_ahead, all_ahead, behind };

// Feeds `text` to `reflow`, whose first pass is done, in pieces of `sizes`, with a scan of its
// joints fed the same pieces where `place` puts it. The caller finishes the conversion.
void feed_with_scan(Reflow& reflow, std::span<const unsigned char> text, const std::vector<size_t>& sizes,
                    ScanPlace place, OutputSink& sink);

// Converts `source` whole and again fed in pieces of random sizes, down to single bytes (the
// first pass of the vocabulary mode too, whose joints a scan may read ahead or behind), `seed`
// choosing the cuts. Empty when both give the
// same bytes and the progress told moves forward and ends at the whole input; otherwise what
// differs.
std::string find_piece_difference(std::string_view source, const ConversionOptions& options, uint64_t seed);

}  // namespace tessaline
