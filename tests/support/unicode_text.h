#pragma once

#include <string>

namespace tessaline {

// Test texts written as readable UTF-8, turned into the other encodings a file may come in.
std::string utf16le(const std::string& utf8_text);
std::string utf16be(const std::string& utf8_text);

// Whether CP949 holds every character of a UTF-8 text.
bool cp949_holds(const std::string& utf8_text);

inline const std::string utf8_mark = "\xEF\xBB\xBF";
inline const std::string utf16le_mark = "\xFF\xFE";
inline const std::string utf16be_mark = "\xFE\xFF";

}  // namespace tessaline
