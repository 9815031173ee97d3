#pragma once

#include <string>

namespace tessaline {

// Test texts written as readable UTF-8, turned into the other encodings a file may come in.
std::string utf16le(const std::string& utf8_text);
std::string utf16be(const std::string& utf8_text);

// Whether CP949 holds every character of a UTF-8 text.
bool cp949_holds(const std::string& utf8_text);

inline const std::string UTF8_MARK = "\xEF\xBB\xBF";
inline const std::string UTF16LE_MARK = "\xFF\xFE";
inline const std::string UTF16BE_MARK = "\xFE\xFF";

}  // namespace tessaline
