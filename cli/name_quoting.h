#pragma once

#include <string>
#include <string_view>

namespace tessaline {

// A file name (UTF-8) for a message, quoted the way `ls` and the other core utilities quote names
// in theirs: always in single quotes, control characters and bytes that are not UTF-8 written as
// $'\n' or $'\033' outside them, so no name can reach the terminal as a command. A name holding a
// single quote and nothing a shell expands inside double quotes is put in double quotes instead.
std::string quoted_name(std::string_view name);

}  // namespace tessaline
