#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/cp949.h"

namespace tessaline {

namespace {

constexpr UINT CP949 = 949;

std::wstring wide_from(UINT code_page, DWORD flags, const std::string& text) {
    if (text.empty()) return L"";
    int length = MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length == 0) throw std::runtime_error("test text cannot be decoded: " + text);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string bytes_from(UINT code_page, const std::wstring& wide) {
    if (wide.empty()) return "";
    // Only CP949 can lack a character; UTF-8 takes the used-default flag as an error.
    BOOL used_default = FALSE;
    BOOL* missing = code_page == CP949 ? &used_default : nullptr;
    DWORD flags = code_page == CP949 ? WC_NO_BEST_FIT_CHARS : 0;
    int count = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(code_page, flags, wide.data(), count, nullptr, 0, nullptr, missing);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), count, bytes.data(), length, nullptr, missing);
    if (used_default) throw std::runtime_error("test text has a character CP949 lacks");
    return bytes;
}

}  // namespace

std::string cp949(const std::string& utf8_text) {
    return bytes_from(CP949, wide_from(CP_UTF8, MB_ERR_INVALID_CHARS, utf8_text));
}

std::string utf8(const std::string& cp949_bytes) {
    try {
        return bytes_from(CP_UTF8, wide_from(CP949, MB_ERR_INVALID_CHARS, cp949_bytes));
    } catch (const std::runtime_error&) {
        return "<not CP949: " + std::to_string(cp949_bytes.size()) + " bytes>";
    }
}

}  // namespace tessaline
