#include "cli/help.h"

#include "cli/messages.h"

namespace tessaline {

void print_help(std::FILE* to) { std::fputs(message(Text::help).c_str(), to); }

void print_version(std::FILE* to) { std::fputs("tessaline " TESSALINE_VERSION "\n", to); }

void print_usage(std::FILE* to) { std::fprintf(to, "%s\n", message(Text::usage_line).c_str()); }

void print_usage_hint(std::FILE* to) { std::fprintf(to, "%s\n", message(Text::try_help).c_str()); }

}  // namespace tessaline
