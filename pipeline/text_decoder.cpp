#include "pipeline/text_decoder.h"

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;
constexpr char UNKNOWN = '?';

// The first position from `at` on that holds a byte that is NUL or not ASCII.
size_t end_of_plain_ascii(std::span<const unsigned char> bytes, size_t at) {
    while (at < bytes.size() && bytes[at] != 0 && bytes[at] < 0x80) ++at;
    return at;
}

}  // namespace

TextDecoder::TextDecoder(TextEncoding encoding, StandInTable* stand_ins, uint64_t start_offset)
    : encoding_(encoding),
      stand_ins_(stand_ins),
      start_offset_(start_offset),
      map_(Cp949Map::get()),
      utf16_(encoding == TextEncoding::utf16be) {}

void TextDecoder::decode(std::span<const unsigned char> bytes, std::string& cp949) {
    auto character = [&](char32_t c) { put_character(c, cp949); };
    auto bad = [&](uint64_t offset) { put_bad(offset, cp949); };
    switch (encoding_) {
    case TextEncoding::cp949: decode_cp949(bytes, cp949); break;
    case TextEncoding::utf8: utf8_.read(bytes, character, bad); break;
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
        size_t plain_end = end_of_plain_ascii(bytes, at);
        out.append(reinterpret_cast<const char*>(bytes.data()) + at, plain_end - at);
        at = plain_end;
        if (at == bytes.size()) break;
        unsigned char b = bytes[at];
        if (b == 0) {
            ++at;
        } else if (at + 1 == bytes.size() && is_cp949_lead(b)) {
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

// A pair of the right shape that is no character is kept for a CP949 result, which then holds
// the file's own bytes; for a UTF-8 result it is damage, and becomes one "?".
void TextDecoder::put_pair(unsigned char lead, unsigned char trail, uint64_t offset, std::string& out) {
    if (stand_ins_ != nullptr && map_.character_of(lead, trail) == 0) {
        if (damage_.count == 0) damage_.first_offset = start_offset_ + offset;
        damage_.count += 2;
        out += UNKNOWN;
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
        out += UNKNOWN;
        ++unkept_[c];
    }
}

void TextDecoder::put_bad(uint64_t offset, std::string& out) {
    if (damage_.count++ == 0) damage_.first_offset = start_offset_ + offset;
    if (encoding_ == TextEncoding::cp949 || stand_ins_ == nullptr) out += UNKNOWN;
    else stand_ins_->append(REPLACEMENT, out);
}
