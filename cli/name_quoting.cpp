#include "cli/name_quoting.h"

#include <cstdio>

namespace tessaline {

namespace {

// Bytes of the UTF-8 character at `at` when it is well formed and printable, else 0. The C1
// controls (U+0080 to U+009F) are not printable: some terminals take U+009B as an escape.
size_t printable_length(std::string_view name, size_t at) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(name[k]); };
    unsigned char lead = byte(at);
    if (lead >= 0x20 && lead < 0x7F) return 1;
    size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || at + length > name.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(at + k) & 0xC0) != 0x80) return 0;
    if (lead == 0xC2 && byte(at + 1) < 0xA0) return 0;
    // Overlong forms and UTF-16 surrogates are not characters.
    if ((lead == 0xE0 && byte(at + 1) < 0xA0) || (lead == 0xED && byte(at + 1) > 0x9F)) return 0;
    if ((lead == 0xF0 && byte(at + 1) < 0x90) || (lead == 0xF4 && byte(at + 1) > 0x8F)) return 0;
    return length;
}

// A byte as the shell's $'...' writes it.
std::string escaped(unsigned char c) {
    switch (c) {
    case '\a': return "\\a";
    case '\b': return "\\b";
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\v': return "\\v";
    case '\f': return "\\f";
    case '\r': return "\\r";
    default: {
        char octal[8];
        std::snprintf(octal, sizeof octal, "\\%03o", c);
        return octal;
    }
    }
}

bool needs_escapes(std::string_view name) {
    for (size_t at = 0; at < name.size();) {
        size_t length = printable_length(name, at);
        if (length == 0) return true;
        at += length;
    }
    return false;
}

// Characters a shell expands or removes inside double quotes.
bool fits_double_quotes(std::string_view name) { return name.find_first_of("\"$`\\!") == std::string_view::npos; }

}  // namespace

std::string quoted_name(std::string_view name) {
    bool has_quote = name.find('\'') != std::string_view::npos;
    bool escapes = needs_escapes(name);
    if (has_quote && !escapes && fits_double_quotes(name)) return "\"" + std::string(name) + "\"";
    std::string quoted = "'";
    bool in_escape = false;
    for (size_t at = 0; at < name.size();) {
        size_t length = printable_length(name, at);
        if (length == 0) {
            if (!in_escape) quoted += "'$'";
            in_escape = true;
            quoted += escaped(static_cast<unsigned char>(name[at++]));
            continue;
        }
        if (in_escape) quoted += "''";
        in_escape = false;
        if (name[at] == '\'') quoted += "'\\''";
        else quoted.append(name.substr(at, length));
        at += length;
    }
    return quoted + "'";
}

}  // namespace tessaline
