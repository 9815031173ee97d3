#include "tests/support/cp949.h"

#include <iconv.h>

#include <stdexcept>

namespace tessaline {

namespace {

std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    std::string out(text.size() * 2 + 16, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) throw std::runtime_error("test text cannot be converted: " + text);
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace

std::string cp949(const std::string& utf8_text) { return convert(utf8_text, "CP949", "UTF-8"); }

std::string utf8(const std::string& cp949_bytes) {
    try {
        return convert(cp949_bytes, "UTF-8", "CP949");
    } catch (const std::runtime_error&) {
        return "<not CP949: " + std::to_string(cp949_bytes.size()) + " bytes>";
    }
}

}  // namespace tessaline
