#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "pipeline/cp949_map.h"
#include "pipeline/stand_in_table.h"
#include "pipeline/text_encoding.h"
#include "pipeline/utf_readers.h"

namespace tessaline {

// What a byte that is not text becomes in a UTF-8 result: U+FFFD, the replacement character.
constexpr char32_t replacement_character = 0xFFFD;
// What a byte that is not text, or a character CP949 lacks, becomes in a CP949 result.
constexpr char unknown = '?';

// Bytes (UTF-16: code units) that were not text in their encoding: how many, and the offset in
// the file of the first.
struct DecodingDamage {
    uint64_t count = 0;
    uint64_t first_offset = 0;
};

// Characters CP949 lacks that were written as "?", with how often each was.
using UnkeptCharacters = std::map<char32_t, uint64_t>;

// Turns text in pieces of any size into CP949 for the engine, dropping NUL characters. A stand-in
// table is given when the result will be UTF-8: each character CP949 lacks gets its stand-in.
// Without one, for a CP949 result, it becomes "?" and is counted. What is not text is counted as
// damage and becomes U+FFFD (UTF-8, UTF-16; "?" for a CP949 result) or "?" (CP949, where a lead
// byte without its trail byte would otherwise take the next line's first byte). The CP949
// handed out always ends at a character's end.
class TextDecoder {
public:
    // `start_offset` is where in the file the first byte given lies (after a byte-order mark).
    TextDecoder(TextEncoding encoding, StandInTable* stand_ins, uint64_t start_offset);

    // Appends the CP949 of `bytes` to `cp949`.
    void decode(std::span<const unsigned char> bytes, std::string& cp949);
    // Hands the CP949 of `bytes` to `sink`: straight from where they lie when they are all CP949
    // kept as it is (a CP949 text mostly is), else decoded into `scratch`.
    template <typename Sink>
    void decode_to(std::span<const unsigned char> bytes, std::string& scratch, Sink&& sink);
    // Appends what the end of the text completes.
    void finish(std::string& cp949);

    const DecodingDamage& damage() const { return damage_; }
    const UnkeptCharacters& unkept() const { return unkept_; }

private:
    // Whether the bytes are all CP949 kept as it is, but for a lead byte at their end, which then
    // waits for its trail byte; `handed` is how many can be handed out where they lie.
    bool kept_as_they_are(std::span<const unsigned char> bytes, size_t& handed);
    void decode_cp949(std::span<const unsigned char> bytes, std::string& out);
    size_t end_of_clean_cp949(std::span<const unsigned char> bytes, size_t at) const;
    // Whether every lead byte of a block, by the bits of `leads`, begins a row of characters only.
    bool in_full_rows(const unsigned char* block, uint32_t leads) const;
    void put_pair(unsigned char lead, unsigned char trail, uint64_t offset, std::string& out);
    void put_character(char32_t c, std::string& out);
    void put_bad(uint64_t offset, std::string& out);

    TextEncoding encoding_;
    StandInTable* stand_ins_;
    uint64_t start_offset_;
    uint64_t cp949_offset_ = 0;  // of the next CP949 byte
    int pending_lead_ = -1;      // a CP949 lead byte whose trail byte is in the next piece
    const Cp949Map& map_;
    unsigned char full_rows_to_end_ = 0xFF;  // the lead byte from which every row on is full
    Utf8Reader utf8_;
    Utf16Reader utf16_;
    DecodingDamage damage_;
    UnkeptCharacters unkept_;
};

template <typename Sink>
void TextDecoder::decode_to(std::span<const unsigned char> bytes, std::string& scratch, Sink&& sink) {
    auto hand_out = [&](const std::string& text) {
        if (!text.empty()) sink(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
    };
    scratch.clear();
    size_t handed = 0;
    if (kept_as_they_are(bytes, handed)) {
        if (handed > 0) sink(bytes.first(handed));
        return;
    }
    decode(bytes, scratch);
    hand_out(scratch);
}

}  // namespace tessaline
