#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "pipeline/text_encoding.h"
#include "pipeline/utf_readers.h"

namespace tessaline {

// How a file is to be read: its encoding, the length of the byte-order mark to pass over, and,
// when it is plainly not text, why (empty for text).
struct Detection {
    TextEncoding encoding = TextEncoding::cp949;
    size_t mark_length = 0;
    std::string not_text;
};

// Learns a file's encoding from its bytes, given in pieces from the first on. In order: a
// byte-order mark (UTF-8, UTF-16LE, UTF-16BE); UTF-16 without one, known by the zero bytes its
// ASCII characters (spaces, line ends) have; valid UTF-8; UTF-8 with a few bytes that are not
// (far fewer than its characters of two bytes or more); otherwise CP949. Files that carry the
// mark of an image, an archive or a program, or of which many bytes are control codes no text
// holds, are not text.
class EncodingSniffer {
public:
    // The size the file reported, when it reported one: once the bytes not yet fed could no longer
    // make it UTF-8, the rest is not checked as UTF-8.
    void expect_size(uint64_t size) { expected_size_ = size; }

    void feed(std::span<const unsigned char> bytes);

    // Whether `choice` can be decided from what has been fed so far: forced encodings and
    // byte-order marks are known from the first bytes, the rest needs the whole file.
    bool decided_early(InputEncoding choice) const;

    // The decision for the bytes fed so far, taken as the whole file.
    Detection decide(InputEncoding choice) const;

private:
    struct ByteOrderCounts {
        uint64_t ascii_units = 0;   // an ASCII text character with its zero byte
        uint64_t binary_units = 0;  // a control code no text holds
    };

    bool count_binary_bytes(std::span<const unsigned char> bytes);
    void count_zero_byte_units(std::span<const unsigned char> bytes, bool nul);
    static void count_unit(ByteOrderCounts& counts, unsigned char low_byte);
    size_t mark_length(TextEncoding& marked) const;
    bool looks_like_utf16(const ByteOrderCounts& counts, const ByteOrderCounts& other) const;
    std::string binary_signature() const;

    // The first bytes, as far as the last mark of a file that is not text (a tar archive's at 257).
    std::array<unsigned char, 264> head_{};
    size_t head_length_ = 0;
    uint64_t total_ = 0;
    uint64_t binary_bytes_ = 0;
    ByteOrderCounts little_;
    ByteOrderCounts big_;
    unsigned char last_byte_ = 0;   // of the bytes fed before, the high byte of a little-endian unit
    bool big_low_pending_ = false;  // a big-endian unit's zero high byte ended the last piece
    Utf8Reader utf8_;
    uint64_t utf8_characters_ = 0;  // of two bytes or more
    uint64_t utf8_bad_bytes_ = 0;
    uint64_t expected_size_ = 0;
    bool utf8_ruled_out_ = false;
};

}  // namespace tessaline
