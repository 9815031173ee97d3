#pragma once

#include <string>

namespace tessaline {

// Test texts are written as readable UTF-8 and turned into the CP949 bytes the engine works on.
std::string cp949(const std::string& utf8);

// The other way, so a failing comparison prints readable Korean.
std::string utf8(const std::string& cp949_bytes);

}  // namespace tessaline
