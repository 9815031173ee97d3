#pragma once

#include <string>

#include "pipeline/text_decoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

// The warnings about one document's text, in English, each to follow the document's name.

// Bytes of a file that were not text in `encoding`: how many, where the first was, and what
// they became in a result in `result`. Empty when there were none.
std::string damage_warning(TextEncoding encoding, TextEncoding result, const DecodingDamage& damage);

// Characters a CP949 result could not hold, most frequent first, with what keeps them:
// "holds 15 characters CP949 lacks, written as "?": — ×12, 😀 ×3; --output-encoding utf-8
// keeps them". Characters that show nothing are named by their code (U+200D). Empty when
// there were none.
std::string unkept_warning(const UnkeptCharacters& unkept);

}  // namespace tessaline
