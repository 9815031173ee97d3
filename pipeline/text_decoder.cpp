#include "pipeline/text_decoder.h"

#include <cstring>

#include "pipeline/byte_scan.h"
#include "pipeline/cp949_blocks.h"

namespace tessaline {

namespace {

// Appends ASCII bytes without their NULs.
void append_ascii(std::span<const unsigned char> ascii, std::string& out) {
    const auto* text = reinterpret_cast<const char*>(ascii.data());
    if (std::memchr(text, 0, ascii.size()) == nullptr) {
        out.append(text, ascii.size());
        return;
    }
    for (unsigned char b : ascii)
        if (b != 0) out += static_cast<char>(b);
}

}  // namespace

TextDecoder::TextDecoder(TextEncoding encoding, StandInTable* stand_ins, uint64_t start_offset)
    : encoding_(encoding), stand_ins_(stand_ins), start_offset_(start_offset), map_(Cp949Map::get()),
      utf16_(encoding == TextEncoding::utf16be) {
    while (full_rows_to_end_ > 0x81 && map_.row_full(static_cast<unsigned char>(full_rows_to_end_ - 1)))
        --full_rows_to_end_;
}

void TextDecoder::decode(std::span<const unsigned char> bytes, std::string& cp949) {
    auto ascii = [&](std::span<const unsigned char> run) { append_ascii(run, cp949); };
    auto character = [&](char32_t c) { put_character(c, cp949); };
    auto bad = [&](uint64_t offset) { put_bad(offset, cp949); };
    // CP949 is seldom longer than what it is decoded from.
    cp949.reserve(cp949.size() + bytes.size() + 64);
    switch (encoding_) {
    case TextEncoding::cp949: decode_cp949(bytes, cp949); break;
    case TextEncoding::utf8: utf8_.read(bytes, ascii, character, bad); break;
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: utf16_.read(bytes, character, bad); break;
    }
}

void TextDecoder::finish(std::string& cp949) {
    auto character = [&](char32_t c) { put_character(c, cp949); };
    auto bad = [&](uint64_t offset) { put_bad(offset, cp949); };
    switch (encoding_) {
    case TextEncoding::cp949:
        if (pending_lead_ >= 0) put_bad(cp949_offset_ - 1, cp949);
        pending_lead_ = -1;
        break;
    case TextEncoding::utf8: utf8_.finish(bad); break;
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: utf16_.finish(character, bad); break;
    }
}

bool TextDecoder::kept_as_they_are(std::span<const unsigned char> bytes, size_t& handed) {
    if (encoding_ != TextEncoding::cp949 || pending_lead_ >= 0) return false;
    size_t clean = end_of_clean_cp949(bytes, 0);
    bool lead_waits = clean + 1 == bytes.size() && is_cp949_lead(bytes[clean]);
    if (clean != bytes.size() && !lead_waits) return false;
    if (lead_waits) pending_lead_ = bytes[clean];
    cp949_offset_ += bytes.size();
    handed = clean;
    return true;
}

void TextDecoder::decode_cp949(std::span<const unsigned char> bytes, std::string& out) {
    size_t at = 0;
    if (pending_lead_ >= 0 && !bytes.empty()) {
        auto lead = static_cast<unsigned char>(pending_lead_);
        pending_lead_ = -1;
        if (is_cp949_trail(lead, bytes[0])) {
            put_pair(lead, bytes[at++], cp949_offset_ - 1, out);
        } else {
            put_bad(cp949_offset_ - 1, out);
        }
    }
    while (at < bytes.size()) {
        size_t clean_end = end_of_clean_cp949(bytes, at);
        out.append(reinterpret_cast<const char*>(bytes.data()) + at, clean_end - at);
        at = clean_end;
        if (at == bytes.size()) break;
        unsigned char b = bytes[at];
        if (b == 0) {
            ++at;
            continue;
        }
        if (at + 1 == bytes.size() && is_cp949_lead(b)) {
            pending_lead_ = b;
            ++at;
        } else if (is_cp949_lead(b) && is_cp949_trail(b, bytes[at + 1])) {
            put_pair(b, bytes[at + 1], cp949_offset_ + at, out);
            at += 2;
        } else {
            put_bad(cp949_offset_ + at, out);
            ++at;
        }
    }
    cp949_offset_ += bytes.size();
}

// The first position from `at` on where the bytes stop being what the result keeps as it is:
// ASCII other than NUL, and whole two-byte codes (for a UTF-8 result, codes of characters).
size_t TextDecoder::end_of_clean_cp949(std::span<const unsigned char> bytes, size_t at) const {
    while (at < bytes.size()) {
        // For a CP949 result every code of the right shape is kept, for a UTF-8 result every code
        // of a row that is all characters, so whole blocks pass at once.
        uint32_t leads = 0;
        size_t block = at + cp949_block <= bytes.size() ? clean_cp949_block(bytes.data() + at, leads) : 0;
        if (block > 0 && (stand_ins_ == nullptr || in_full_rows(bytes.data() + at, leads))) {
            at += block;
            continue;
        }
        // Eight ASCII bytes without a NUL are kept at once.
        uint64_t word = 0;
        while (at + 8 <= bytes.size() && ((word = eight_bytes_at(bytes.data() + at)) & high_bits) == 0 &&
               !has_byte_below(word, 1))
            at += 8;
        if (at == bytes.size()) break;  // the piece ended on a word's end: nothing after it is ours
        unsigned char b = bytes[at];
        if (b == 0) return at;
        if (b < 0x80) {
            ++at;
            continue;
        }
        if (at + 1 == bytes.size() || !is_cp949_lead(b) || !is_cp949_trail(b, bytes[at + 1])) return at;
        if (stand_ins_ != nullptr && map_.character_of(b, bytes[at + 1]) == 0) return at;
        at += 2;
    }
    return at;
}

bool TextDecoder::in_full_rows(const unsigned char* block, uint32_t leads) const {
    // The rows of Hangul and Hanja are full up to the last lead byte, so most leads pass at once.
    leads &= ~bytes_at_least(block, full_rows_to_end_);
    for (; leads != 0; leads &= leads - 1)
        if (!map_.row_full(block[__builtin_ctz(leads)])) return false;
    return true;
}

// A pair of the right shape that is no character is kept for a CP949 result, which then holds
// the file's own bytes; for a UTF-8 result it is damage, and becomes one "?".
void TextDecoder::put_pair(unsigned char lead, unsigned char trail, uint64_t offset, std::string& out) {
    if (stand_ins_ != nullptr && map_.character_of(lead, trail) == 0) {
        if (damage_.count == 0) damage_.first_offset = start_offset_ + offset;
        damage_.count += 2;
        out += unknown;
        return;
    }
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
}

void TextDecoder::put_character(char32_t c, std::string& out) {
    if (c < 0x80) {
        if (c != 0) out += static_cast<char>(c);
        return;
    }
    uint16_t code = map_.code_of(c);
    if (code != 0) {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    } else if (stand_ins_ != nullptr) {
        stand_ins_->append(c, out);
    } else {
        out += unknown;
        ++unkept_[c];
    }
}

void TextDecoder::put_bad(uint64_t offset, std::string& out) {
    if (damage_.count++ == 0) damage_.first_offset = start_offset_ + offset;
    if (encoding_ == TextEncoding::cp949 || stand_ins_ == nullptr) out += unknown;
    else stand_ins_->append(replacement_character, out);
}

}  // namespace tessaline
