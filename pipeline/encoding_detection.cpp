#include "pipeline/encoding_detection.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "pipeline/byte_scan.h"

namespace tessaline {

namespace {

// UTF-16 is taken for a file without a mark when at least one character in this many is ASCII
// with its zero byte (a Korean novel has a space or a line end every few characters) and fewer
// than one in this many is a control code no text holds.
constexpr uint64_t utf16_share = 16;
// ... and when its own byte order shows at least this many times the ASCII characters of the other,
constexpr uint64_t utf16_order_margin = 4;
// ... at least this many of them, and the file's length is even: one stray zero byte in a text
// of single bytes is no UTF-16.
constexpr uint64_t utf16_least = 2;

// A file is not text when more than one byte in this many is a control code that no text holds
// (random bytes have one in eleven) ...
constexpr uint64_t not_text_share = 16;
// ... and there are at least this many, so a few stray bytes never make a file not text.
constexpr uint64_t not_text_least = 16;

// UTF-8 with bytes that are not UTF-8 is still read as UTF-8 when it has at least this many
// characters of two bytes or more per bad byte. CP949 Korean read as UTF-8 has about one such
// character per six bad bytes.
constexpr uint64_t utf8_characters_per_bad_byte = 16;

struct Signature {
    const char* bytes;
    size_t length;
    size_t offset;
    const char* what;
};

// Marks of files that are not text, where those files have them: bytes no text begins with, or
// words no text has at that place.
constexpr Signature binary_signatures[] = {
    {"\x89PNG\r\n\x1A\n", 8, 0, "a PNG image"},
    {"\xFF\xD8\xFF", 3, 0, "a JPEG image"},
    {"PK\x03\x04", 4, 0, "a ZIP archive"},
    {"\x1F\x8B", 2, 0, "a gzip archive"},
    {"7z\xBC\xAF\x27\x1C", 6, 0, "a 7-Zip archive"},
    {"Rar!\x1A\x07", 6, 0, "a RAR archive"},
    {"\xFD"
     "7zXZ\x00",
     6, 0, "an xz archive"},
    {"\x7F"
     "ELF",
     4, 0, "a program"},
    {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8, 0, "an old Office or Hangul document"},
    {"%PDF-", 5, 0, "a PDF document"},
    {"ustar", 5, 257, "a tar archive"},
};

struct Mark {
    const char* bytes;
    size_t length;
    TextEncoding encoding;
};

constexpr Mark byte_order_marks[] = {
    {"\xEF\xBB\xBF", 3, TextEncoding::utf8},
    {"\xFF\xFE", 2, TextEncoding::utf16le},
    {"\xFE\xFF", 2, TextEncoding::utf16be},
};

// Control codes that text holds: tab, line feed, vertical tab, form feed, carriage return, the
// old end-of-file mark (SUB) and escape; every other one below 0x20, and DEL, is binary.
bool is_binary_code(uint32_t c) {
    if (c == 0x7F) return true;
    if (c >= 0x20) return false;
    return !(c >= 0x09 && c <= 0x0D) && c != 0x1A && c != 0x1B;
}

bool is_ascii_text(uint32_t c) { return c < 0x7F && !is_binary_code(c); }

// NUL bytes are not counted against a file: some tools pad a text with them, and reading drops them.
bool is_binary_byte(unsigned char b) { return b != 0 && is_binary_code(b); }

#if defined(__SSE2__)
constexpr size_t block_bytes = 16;
// Byte-wide counters of binary bytes are summed before they could overflow.
constexpr size_t blocks_per_sum = 255;

// 0xFF for each of the sixteen bytes of `block` that is binary, as is_binary_byte tells, else 0.
__m128i binary_bytes_of(__m128i block) {
    auto at_most = [](__m128i values, unsigned char most) {
        return _mm_cmpeq_epi8(_mm_min_epu8(values, _mm_set1_epi8(static_cast<char>(most))), values);
    };
    auto equal = [&block](unsigned char value) {
        return _mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(value)));
    };
    __m128i controls = at_most(block, 0x1F);
    __m128i text_controls = _mm_or_si128(at_most(_mm_sub_epi8(block, _mm_set1_epi8(0x09)), 0x0D - 0x09),
                                         _mm_or_si128(equal(0x1A), _mm_or_si128(equal(0x1B), equal(0))));
    return _mm_or_si128(_mm_andnot_si128(text_controls, controls), equal(0x7F));
}

// How many binary bytes the `blocks` blocks from `bytes` hold, and whether any of their bytes is
// NUL. Each block's 0xFF bytes, which are -1, are subtracted from byte-wide counters, which is
// cheaper than counting the bits of a mask: that is a library call on processors without an
// instruction for it.
uint64_t binary_bytes_in_blocks(const unsigned char* bytes, size_t blocks, bool& nul) {
    uint64_t count = 0;
    __m128i nuls = _mm_setzero_si128();
    for (size_t done = 0; done < blocks;) {
        size_t batch_end = std::min(blocks, done + blocks_per_sum);
        __m128i counters = _mm_setzero_si128();
        for (; done < batch_end; ++done) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done * block_bytes));
            counters = _mm_sub_epi8(counters, binary_bytes_of(block));
            nuls = _mm_or_si128(nuls, _mm_cmpeq_epi8(block, _mm_setzero_si128()));
        }
        __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += static_cast<uint64_t>(_mm_cvtsi128_si32(sums)) + static_cast<uint64_t>(_mm_extract_epi16(sums, 4));
    }
    nul = _mm_movemask_epi8(nuls) != 0;
    return count;
}
#endif

bool forced(InputEncoding choice) {
    return choice == InputEncoding::utf8 || choice == InputEncoding::utf16le || choice == InputEncoding::utf16be;
}

}  // namespace

void EncodingSniffer::feed(std::span<const unsigned char> bytes) {
    size_t to_head = std::min(bytes.size(), head_.size() - head_length_);
    std::memcpy(head_.data() + head_length_, bytes.data(), to_head);
    head_length_ += to_head;
    bool nul = count_binary_bytes(bytes);
    count_zero_byte_units(bytes, nul);
    if (!bytes.empty()) last_byte_ = bytes.back();
    total_ += bytes.size();
    if (utf8_ruled_out_) return;
    utf8_.read(
        bytes, [](std::span<const unsigned char>) {}, [this](char32_t c) { utf8_characters_ += c >= 0x80 ? 1 : 0; },
        [this](uint64_t) { ++utf8_bad_bytes_; });
    // The bytes still to come could at best add a character of two bytes for every two of them,
    // one of them completing a character cut at the end of this piece.
    uint64_t still_to_come = expected_size_ > total_ ? (expected_size_ - total_ + 1) / 2 : 0;
    utf8_ruled_out_ =
        expected_size_ > 0 && utf8_bad_bytes_ * utf8_characters_per_bad_byte > utf8_characters_ + still_to_come;
}

// Returns whether the bytes may hold a NUL: where sixteen bytes are compared at once that is
// found on the way, so that a text without one is not searched for it again.
bool EncodingSniffer::count_binary_bytes(std::span<const unsigned char> bytes) {
    size_t at = 0;
    bool nul = true;
#if defined(__SSE2__)
    // Every line of a text ends in control codes, so sixteen bytes are counted at once rather than
    // passed over when they hold none.
    size_t blocks = bytes.size() / block_bytes;
    binary_bytes_ += binary_bytes_in_blocks(bytes.data(), blocks, nul);
    at = blocks * block_bytes;
    nul = nul || std::memchr(bytes.data() + at, 0, bytes.size() - at) != nullptr;
#endif
    for (; at + 8 <= bytes.size(); at += 8) {
        uint64_t word = eight_bytes_at(bytes.data() + at);
        // Eight bytes without a control code, DEL included, are passed over at once.
        if (!has_byte_below(word, 0x20) && !has_byte_below(word ^ (each_byte * 0x7F), 1)) continue;
        for (size_t k = at; k < at + 8; ++k) binary_bytes_ += is_binary_byte(bytes[k]) ? 1 : 0;
    }
    for (; at < bytes.size(); ++at) binary_bytes_ += is_binary_byte(bytes[at]) ? 1 : 0;
    return nul;
}

// A code unit below 0x100 has a zero high byte: at an odd offset in little-endian order, at an
// even one in big-endian order. Only those units can be ASCII or control codes, so the zero bytes
// alone are looked at, and text of single bytes, which has none, costs nothing here; `nul` is
// false when the bytes are known to hold none.
void EncodingSniffer::count_zero_byte_units(std::span<const unsigned char> bytes, bool nul) {
    if (big_low_pending_ && !bytes.empty()) count_unit(big_, bytes[0]);
    big_low_pending_ = false;
    if (!nul) return;
    const auto* start = bytes.data();
    const auto* end = start + bytes.size();
    for (const auto* zero = start;
         (zero = static_cast<const unsigned char*>(std::memchr(zero, 0, end - zero))) != nullptr; ++zero) {
        uint64_t offset = total_ + static_cast<uint64_t>(zero - start);
        if (offset % 2 == 1) {
            count_unit(little_, zero > start ? zero[-1] : last_byte_);
        } else if (zero + 1 < end) {
            count_unit(big_, zero[1]);
        } else {
            big_low_pending_ = true;
        }
        if (zero + 1 == end) break;
    }
}

void EncodingSniffer::count_unit(ByteOrderCounts& counts, unsigned char low_byte) {
    counts.ascii_units += is_ascii_text(low_byte) ? 1 : 0;
    counts.binary_units += is_binary_code(low_byte) ? 1 : 0;
}

bool EncodingSniffer::decided_early(InputEncoding choice) const {
    TextEncoding marked = TextEncoding::cp949;
    return forced(choice) || choice == InputEncoding::cp949 || mark_length(marked) > 0;
}

Detection EncodingSniffer::decide(InputEncoding choice) const {
    TextEncoding marked = TextEncoding::cp949;
    size_t mark = mark_length(marked);
    if (forced(choice)) {
        TextEncoding encoding = choice == InputEncoding::utf8      ? TextEncoding::utf8
                                : choice == InputEncoding::utf16le ? TextEncoding::utf16le
                                                                   : TextEncoding::utf16be;
        return Detection{encoding, marked == encoding ? mark : 0, ""};
    }
    if (mark > 0) return Detection{marked, mark, ""};
    if (choice == InputEncoding::cp949) return Detection{};
    if (choice == InputEncoding::utf16)
        return Detection{big_.ascii_units > little_.ascii_units ? TextEncoding::utf16be : TextEncoding::utf16le, 0, ""};
    std::string signature = binary_signature();
    if (!signature.empty()) return Detection{TextEncoding::cp949, 0, "it begins like " + signature};
    if (looks_like_utf16(little_, big_)) return Detection{TextEncoding::utf16le, 0, ""};
    if (looks_like_utf16(big_, little_)) return Detection{TextEncoding::utf16be, 0, ""};
    if (binary_bytes_ >= not_text_least && binary_bytes_ * not_text_share > total_)
        return Detection{
            TextEncoding::cp949, 0,
            std::to_string(binary_bytes_ * 100 / total_) + "% of its bytes are control codes that text does not hold"};
    Utf8Reader rest = utf8_;
    uint64_t bad = utf8_bad_bytes_;
    rest.finish([&bad](uint64_t) { ++bad; });
    if (!utf8_ruled_out_ && utf8_characters_ > 0 && bad * utf8_characters_per_bad_byte <= utf8_characters_)
        return Detection{TextEncoding::utf8, 0, ""};
    return Detection{};
}

size_t EncodingSniffer::mark_length(TextEncoding& marked) const {
    for (const Mark& mark : byte_order_marks) {
        if (head_length_ >= mark.length && std::memcmp(head_.data(), mark.bytes, mark.length) == 0) {
            marked = mark.encoding;
            return mark.length;
        }
    }
    return 0;
}

bool EncodingSniffer::looks_like_utf16(const ByteOrderCounts& counts, const ByteOrderCounts& other) const {
    uint64_t units = total_ / 2;
    return total_ % 2 == 0 && counts.ascii_units >= utf16_least && counts.ascii_units * utf16_share >= units &&
           counts.binary_units * utf16_share < units && counts.ascii_units > other.ascii_units * utf16_order_margin;
}

std::string EncodingSniffer::binary_signature() const {
    for (const Signature& signature : binary_signatures)
        if (head_length_ >= signature.offset + signature.length &&
            std::memcmp(head_.data() + signature.offset, signature.bytes, signature.length) == 0)
            return signature.what;
    return "";
}

}  // namespace tessaline
