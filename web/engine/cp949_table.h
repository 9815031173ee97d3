#pragma once

#include <cstdint>

namespace tessaline {

// The two-byte characters of CP949: lead bytes 0x81 to 0xFE, trail bytes 0x41 to 0xFE.
constexpr unsigned CP949_FIRST_LEAD = 0x81;
constexpr unsigned CP949_FIRST_TRAIL = 0x41;
constexpr unsigned CP949_LEADS = 0xFE - CP949_FIRST_LEAD + 1;
constexpr unsigned CP949_TRAILS = 0xFE - CP949_FIRST_TRAIL + 1;

// The Unicode character of each pair, row by lead byte; 0 where CP949 has no character.
extern const uint16_t CP949_CHARACTERS[CP949_LEADS * CP949_TRAILS];

}  // namespace tessaline
