#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/reflow.h"

namespace tessaline {

// Converts `source` whole and again fed in pieces of random sizes, down to single bytes (the
// first pass of the vocabulary mode too, whose joints a scan may read ahead or behind), `seed`
// choosing the cuts. Empty when both give the
// same bytes and the progress told moves forward and ends at the whole input; otherwise what
// differs.
std::string find_piece_difference(std::string_view source, const ConversionOptions& options, uint64_t seed);

}  // namespace tessaline
