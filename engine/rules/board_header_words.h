#pragma once

#include <span>

#include "engine/rules/word.h"

namespace tessaline {

// The first words of a bulletin-board header line, each compared over its own bytes.
extern const std::span<const Word> board_header_words;

}  // namespace tessaline
