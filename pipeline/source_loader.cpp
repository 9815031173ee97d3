#include "pipeline/source_loader.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "pipeline/source_decoding.h"
#include "platform/platform.h"

thread_local TextBuffer source_text;
thread_local uint32_t source_size;

namespace {

// The source size is a 32-bit count; larger files are refused rather than misread.
constexpr uint64_t LARGEST_FILE = UINT32_MAX - 16;

bool refuse(std::string* failure, const char* what, const char* why) {
    if (failure == nullptr) return false;
    *failure = what;
    if (why != nullptr) *failure = *failure + ": " + why;
    return false;
}

void take_decoded(TextBuffer& raw, uint64_t size, InputEncoding encoding) {
    size_t length = decode_into_source(raw, static_cast<size_t>(size), encoding);
    // A lone last byte of UTF-16LE text may decode wider than itself; the engine sizes its
    // output from the source size, so that size never falls below the text.
    source_size = static_cast<uint32_t>(length > size ? length : size);
}

}  // namespace

int detect_text_encoding(const unsigned char* raw) {
    if (raw[0] == 0xEF && raw[1] == 0xBB && raw[2] == 0xBF) return ENCODING_UTF8;
    if (raw[0] == 0xFF && raw[1] == 0xFE) return ENCODING_UTF16LE;
    return ENCODING_ANSI;
}

bool load_source_file(const char* path, InputEncoding encoding, std::string* failure) {
    uint64_t size = 0;
    PlatformFile* file = platform_open_existing(path, &size);
    if (file == nullptr) return refuse(failure, "cannot be opened", platform_error_text());
    if (size > LARGEST_FILE) {
        platform_close(file);
        return refuse(failure, "is too large (4 GiB or more)", nullptr);
    }
    TextBuffer raw{};
    text_buffer_reset(raw, static_cast<size_t>(size) + 2);
    bool read = platform_read_exact(file, raw.bytes, static_cast<size_t>(size));
    platform_close(file);
    if (!read) {
        text_buffer_release(raw);
        return refuse(failure, "cannot be read", platform_error_text());
    }
    take_decoded(raw, size, encoding);
    return true;
}

bool load_source_bytes(const unsigned char* bytes, size_t count, InputEncoding encoding, std::string* failure) {
    if (count > LARGEST_FILE) return refuse(failure, "is too large (4 GiB or more)", nullptr);
    TextBuffer raw{};
    text_buffer_reset(raw, count + 2);
    if (count > 0) std::memcpy(raw.bytes, bytes, count);
    take_decoded(raw, count, encoding);
    return true;
}
