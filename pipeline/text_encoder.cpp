#include "pipeline/text_encoder.h"

#include <algorithm>

#include "pipeline/byte_scan.h"
#include "pipeline/plain_utf8_codes.h"
#include "pipeline/utf8_append.h"

namespace tessaline {

namespace {

// A run of ASCII and of codes of characters outside the user rows, the bulk of every text, is
// written straight into the output as UTF-8 rather than character by character, at most this
// many bytes of it between two resizes of the output.
constexpr size_t plain_stretch = 16384;

// The UTF-8 of such a run is at most half as long again: an ASCII byte stays one, a pair becomes
// at most three; the store of the last character reaches one byte further.
constexpr size_t utf8_room(size_t cp949_bytes) { return cp949_bytes * 3 / 2 + sizeof(uint32_t); }

// Characters are taken four at a time from eight bytes read at once, and may run this far past
// the stretch they began in.
constexpr size_t word_bytes = sizeof(uint64_t);

// Writes the characters from `from` that begin before `end`, each from the table (the byte after
// `end` is read); false, `from` at it, at a character the table lacks.
bool put_characters(const PlainUtf8Codes& codes, const unsigned char*& from, const unsigned char* end, char*& to) {
    while (from < end) {
        uint32_t packed = codes.of(from[0], from[1]);
        if (packed == 0) return false;
        to = PlainUtf8Codes::put(packed, to);
        from += PlainUtf8Codes::cp949_length(from[0]);
    }
    return true;
}

// The same, four characters from each eight bytes read at once, as long as eight bytes are left
// before `piece_end`: where the next character begins is then found by shifting them rather than
// by loading it, which the processor would otherwise wait for at every character.
bool put_words(const PlainUtf8Codes& codes, const unsigned char*& from, const unsigned char* end,
               const unsigned char* piece_end, char*& to) {
    while (from < end && static_cast<size_t>(piece_end - from) >= word_bytes) {
        uint64_t word = eight_bytes_at(from);
        // Four characters take at most the eight bytes.
        for (int k = 0; k < 4; ++k) {
            auto first = static_cast<unsigned>(word & 0xFF);
            uint32_t packed = codes.of(first, static_cast<unsigned>(word >> 8 & 0xFF));
            if (packed == 0) return false;
            to = PlainUtf8Codes::put(packed, to);
            unsigned length = PlainUtf8Codes::cp949_length(first);
            from += length;
            word >>= 8 * length;
        }
    }
    return true;
}

}  // namespace

TextEncoder::TextEncoder(TextEncoding target, const StandInTable* stand_ins)
    : target_(target), stand_ins_(stand_ins), map_(Cp949Map::get()), codes_(PlainUtf8Codes::get()) {}

void TextEncoder::encode(std::span<const unsigned char> cp949, std::string& out) {
    // CP949 without stand-ins is written as it is, whatever its bytes.
    if (target_ == TextEncoding::cp949 && (stand_ins_ == nullptr || stand_ins_->size() == 0)) {
        out.append(reinterpret_cast<const char*>(cp949.data()), cp949.size());
        return;
    }
    size_t at = 0;
    if (pending_lead_ >= 0 && !cp949.empty()) {
        auto lead = static_cast<unsigned char>(pending_lead_);
        pending_lead_ = -1;
        if (is_cp949_trail(lead, cp949[0])) {
            take_code(lead, cp949[0], out);
            at = 1;
        } else {
            put_lone_byte(lead, out);
        }
    }
    while (at < cp949.size()) {
        if (target_ == TextEncoding::utf8 && prefix_trails_.empty()) {
            at = put_plain_run(cp949, at, out);
            if (at == cp949.size()) break;
        }
        size_t ascii_end = end_of_ascii(cp949, at);
        if (ascii_end > at) {
            if (!prefix_trails_.empty()) flush_prefixes(out);
            out.append(reinterpret_cast<const char*>(cp949.data()) + at, ascii_end - at);
            at = ascii_end;
            continue;
        }
        unsigned char lead = cp949[at];
        if (is_cp949_lead(lead) && at + 1 == cp949.size()) {
            pending_lead_ = lead;
            break;
        }
        if (is_cp949_lead(lead) && is_cp949_trail(lead, cp949[at + 1])) {
            bool plain = prefix_trails_.empty() && lead != stand_in_final_lead && lead != stand_in_prefix_lead;
            if (plain) put_plain_code(lead, cp949[at + 1], out);
            else take_code(lead, cp949[at + 1], out);
            at += 2;
        } else {
            put_lone_byte(lead, out);
            ++at;
        }
    }
}

// Writes such a run from `at` on, up to the first byte that is not of it; returns where that is.
// A lead byte that ends the piece is left to the caller, whose next piece completes it.
size_t TextEncoder::put_plain_run(std::span<const unsigned char> cp949, size_t at, std::string& out) {
    const PlainUtf8Codes& codes = codes_;
    const unsigned char* from = cp949.data() + at;
    const unsigned char* last = cp949.data() + cp949.size() - 1;
    while (from < last) {
        const unsigned char* stretch_end = std::min(last, from + plain_stretch);
        size_t start = out.size();
        out.resize(start + utf8_room(static_cast<size_t>(stretch_end - from) + word_bytes));
        char* to = out.data() + start;
        bool stopped =
            !put_words(codes, from, stretch_end, last + 1, to) || !put_characters(codes, from, stretch_end, to);
        out.resize(static_cast<size_t>(to - out.data()));
        if (stopped) break;
    }
    return static_cast<size_t>(from - cp949.data());
}

void TextEncoder::finish(std::string& out) {
    if (pending_lead_ >= 0) put_lone_byte(static_cast<unsigned char>(pending_lead_), out);
    pending_lead_ = -1;
    flush_prefixes(out);
}

// A byte that begins no character stays as it is in CP949 and is U+FFFD in UTF-8.
void TextEncoder::put_lone_byte(unsigned char b, std::string& out) {
    flush_prefixes(out);
    if (target_ == TextEncoding::cp949) {
        out += static_cast<char>(b);
        return;
    }
    append_utf8(replacement_character, out);
}

// A code of row 0xFE may begin a stand-in; it is held until the row-0xC9 code that ends it.
void TextEncoder::take_code(unsigned char lead, unsigned char trail, std::string& out) {
    bool stand_in_code = stand_ins_ != nullptr && stand_ins_->size() > 0 && is_stand_in_trail(trail);
    if (stand_in_code && lead == stand_in_prefix_lead) {
        prefix_trails_.push_back(trail);
        return;
    }
    if (stand_in_code && lead == stand_in_final_lead) {
        std::vector<unsigned char> digits;
        digits.reserve(prefix_trails_.size());
        for (unsigned char prefix : prefix_trails_)
            digits.push_back(static_cast<unsigned char>(prefix - stand_in_trail_first));
        char32_t c = stand_ins_->character_of(digits, static_cast<unsigned char>(trail - stand_in_trail_first));
        if (c != 0) {
            prefix_trails_.clear();
            put_character(c, out);
            return;
        }
    }
    flush_prefixes(out);
    put_plain_code(lead, trail, out);
}

// Row-0xFE codes that began no stand-in of this document are codes of their own.
void TextEncoder::flush_prefixes(std::string& out) {
    for (unsigned char trail : prefix_trails_) put_plain_code(stand_in_prefix_lead, trail, out);
    prefix_trails_.clear();
}

void TextEncoder::put_plain_code(unsigned char lead, unsigned char trail, std::string& out) {
    if (target_ == TextEncoding::cp949) {
        out += static_cast<char>(lead);
        out += static_cast<char>(trail);
        return;
    }
    char32_t c = map_.character_of(lead, trail);
    append_utf8(c != 0 ? c : replacement_character, out);
}

void TextEncoder::put_character(char32_t c, std::string& out) {
    if (target_ == TextEncoding::utf8) {
        append_utf8(c, out);
        return;
    }
    out += unknown;
    ++unkept_[c];
}

}  // namespace tessaline
