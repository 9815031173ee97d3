#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaline {

// Preview sizes: files before the last of a list show less, so the run is not slowed by them.
constexpr size_t preview_limit_earlier = 3000;
constexpr size_t preview_limit_last = 30000;

// Appended to a preview that was cut: an empty line, then five lines of 18 spaces and a full stop.
extern const char dotted_tail[];
constexpr size_t dotted_tail_length = 109;

// The preview of a text of `length` bytes that begins with `head`: the whole text when it is at
// most `limit` bytes long, else its first `limit` bytes (cut inside a character if need be) and
// the dotted tail.
std::string preview_of(const std::string& head, uint64_t length, size_t limit);

}  // namespace tessaline
