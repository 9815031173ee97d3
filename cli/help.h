#pragma once

#include <cstdio>

namespace tessaline {

// The --help text: every option with its default.
void print_help(std::FILE* to);

// "tessaline" and the version of this build.
void print_version(std::FILE* to);

// The usage line, for a command that names nothing to convert.
void print_usage(std::FILE* to);

// The one line pointing at --help after a usage error.
void print_usage_hint(std::FILE* to);

}  // namespace tessaline
