#pragma once

#include <cstdint>

namespace tessaline {

// The two-byte characters of CP949: lead bytes 0x81 to 0xFE, trail bytes 0x41 to 0xFE.
constexpr unsigned cp949_first_lead = 0x81;
constexpr unsigned cp949_first_trail = 0x41;
constexpr unsigned cp949_leads = 0xFE - cp949_first_lead + 1;
constexpr unsigned cp949_trails = 0xFE - cp949_first_trail + 1;

// The Unicode character of each pair, row by lead byte; 0 where CP949 has no character.
extern const uint16_t cp949_characters[cp949_leads * cp949_trails];

}  // namespace tessaline
