#include "tests/support/unicode_text.h"

#include <iconv.h>

#include <stdexcept>

namespace tessaline {

namespace {

// Converts the whole text; false when a character has no place in the target encoding.
bool convert(const std::string& text, const char* to, std::string& out) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    out.assign(text.size() * 4 + 16, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return result != static_cast<size_t>(-1);
}

std::string converted(const std::string& text, const char* to) {
    std::string out;
    if (!convert(text, to, out)) throw std::runtime_error("test text cannot be converted: " + text);
    return out;
}

}  // namespace

std::string utf16le(const std::string& utf8_text) { return converted(utf8_text, "UTF-16LE"); }

std::string utf16be(const std::string& utf8_text) { return converted(utf8_text, "UTF-16BE"); }

bool cp949_holds(const std::string& utf8_text) {
    std::string out;
    return convert(utf8_text, "CP949", out);
}

}  // namespace tessaline
