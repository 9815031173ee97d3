#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// The pre-scan reads the source text's first bytes up to here, and no further than ten bytes
// before its end.
constexpr int64_t PRESCAN_BYTES = 50000;
constexpr int64_t PRESCAN_END_MARGIN = 10;

// Counts the document's habits over its first 50000 bytes into the conversion's profile.
void prescan_document(Conversion& cv);

}  // namespace tessaline
