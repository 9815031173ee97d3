#include "pipeline/utf8_encoding.h"

#include <cstdlib>

#include "platform/platform.h"

namespace {

// Second bytes of CP949 characters are 0x41-0x5A, 0x61-0x7A and 0x81-0xFE.
bool may_be_second_byte(unsigned char c) {
    return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
}

void append_converted(const unsigned char* bytes, size_t count, std::string& into) {
    if (count == 0) return;
    size_t length = 0;
    unsigned char* converted = platform_cp949_to_utf8(bytes, count, &length);
    into.append(reinterpret_cast<const char*>(converted), length);
    std::free(converted);
}

}  // namespace

void Utf8Encoding::put(const unsigned char* bytes, size_t count, std::string& into) {
    size_t whole = count;
    while (whole > 0 && may_be_second_byte(bytes[whole - 1])) --whole;
    if (whole == 0) {
        held_.append(reinterpret_cast<const char*>(bytes), count);
        return;
    }
    if (held_.empty()) {
        append_converted(bytes, whole, into);
    } else {
        held_.append(reinterpret_cast<const char*>(bytes), whole);
        append_converted(reinterpret_cast<const unsigned char*>(held_.data()), held_.size(), into);
    }
    held_.assign(reinterpret_cast<const char*>(bytes + whole), count - whole);
}

void Utf8Encoding::finish(std::string& into) {
    append_converted(reinterpret_cast<const unsigned char*>(held_.data()), held_.size(), into);
    held_.clear();
}
