#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "pipeline/cp949_map.h"
#include "pipeline/plain_utf8_codes.h"
#include "pipeline/stand_in_table.h"
#include "pipeline/text_decoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

// Turns the engine's CP949, in pieces of any size, into the bytes of a result: UTF-8 with the
// characters of the stand-in table given back, or CP949 with each stand-in written as "?" and
// counted. A byte or pair that is no character stays as it is in CP949 and becomes U+FFFD in
// UTF-8. A character cut by the end of a piece is completed by the next.
class TextEncoder {
public:
    // `target` is TextEncoding::utf8 or TextEncoding::cp949; `stand_ins` may be null when the
    // document has none.
    TextEncoder(TextEncoding target, const StandInTable* stand_ins);

    // Appends the encoding of `cp949` to `out`.
    void encode(std::span<const unsigned char> cp949, std::string& out);
    // Appends what is left of a character cut by the end of the text.
    void finish(std::string& out);

    // Characters CP949 lacks that were written as "?" (CP949 results only).
    const UnkeptCharacters& unkept() const { return unkept_; }

private:
    size_t put_plain_run(std::span<const unsigned char> cp949, size_t at, std::string& out);
    void take_code(unsigned char lead, unsigned char trail, std::string& out);
    void flush_prefixes(std::string& out);
    void put_lone_byte(unsigned char b, std::string& out);
    void put_plain_code(unsigned char lead, unsigned char trail, std::string& out);
    void put_character(char32_t c, std::string& out);

    TextEncoding target_;
    const StandInTable* stand_ins_;
    const Cp949Map& map_;
    const PlainUtf8Codes& codes_;
    int pending_lead_ = -1;                     // a lead byte whose trail byte is in the next piece
    std::vector<unsigned char> prefix_trails_;  // the row-0xFE codes of a stand-in begun so far
    UnkeptCharacters unkept_;
};

}  // namespace tessaline
