#pragma once

#include <string>
#include <string_view>

#include "pipeline/source_loader.h"
#include "pipeline/text_encoding.h"
#include "tools/checks/text_kept.h"

namespace tessaline {

// Checks of the loader and the encoder against iconv, which they do not use.

// The Unicode characters of `text` in iconv's encoding `from`; where iconv cannot go on, one
// U+FFFD stands for `skip` bytes and it resumes behind them.
std::u32string iconv_characters(std::string_view text, const char* from, size_t skip);

// Empty when every byte of 0x80 or above in a CP949 text leads a whole two-byte code; else where
// a character is cut in two.
std::string find_cut_character(std::string_view cp949);

// Empty when the CP949 text the loader made of `raw` (`loaded`, read as `source` says, for a
// result in `result`) holds what iconv reads in the file: for a UTF-8 result every character
// back as it was; for a CP949 one every character or "?"; for CP949 input the same bytes, with
// "?" only for bytes of 0x80 and above.
std::string check_decoding(const std::string& raw, const std::string& loaded, const LoadedText& source,
                           TextEncoding result);

// find_lost_characters between a CP949 source with stand-ins, as the encoder gives it back in
// UTF-8, and a UTF-8 output.
std::string find_lost_utf8(const std::string& source_cp949, const StandInTable& stand_ins,
                           const std::string& output_utf8, KeptTextAllowance allowance);

}  // namespace tessaline
