#pragma once

#include <span>

#include "engine/rules/word.h"

namespace tessaline {

// Forms of 하다 ("to say") that carry a sentence on after a quotation: "어디 가니?" 하고 물었다.
extern const std::span<const Word> quotative_openings;

}  // namespace tessaline
