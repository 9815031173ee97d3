#include "cli/progress_line.h"

#include <cstdint>

#include "cli/name_quoting.h"

namespace tessaline {

namespace {

constexpr std::string_view cut_mark = "...";

// Characters a shell would split, expand or quote; a name holding one is shown quoted.
constexpr std::string_view shell_special = " \t'\"`$&*()[]{};|<>?!\\#~=%^";

struct Character {
    uint32_t code;
    size_t length;
};

Character character_at(std::string_view text, size_t at) {
    auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    unsigned char lead = byte(at);
    if (lead < 0xC0) return {lead, 1};
    size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t code = lead & (0x3F >> (length - 1));
    for (size_t k = 1; k < length; ++k) code = (code << 6) | (byte(at + k) & 0x3F);
    return {code, length};
}

bool is_wide(uint32_t code) {
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
           (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
           (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
           (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
}

size_t columns_of(uint32_t code) { return is_wide(code) ? 2 : 1; }

// The longest end of the text that takes at most `columns` columns.
std::string_view tail_within(std::string_view text, size_t columns) {
    size_t total = display_columns(text);
    size_t at = 0;
    while (at < text.size() && total > columns) {
        Character c = character_at(text, at);
        total -= columns_of(c.code);
        at += c.length;
    }
    return text.substr(at);
}

// The longest beginning of the text that takes at most `columns` columns.
std::string_view head_within(std::string_view text, size_t columns) {
    size_t used = 0, at = 0;
    while (at < text.size()) {
        Character c = character_at(text, at);
        if (used + columns_of(c.code) > columns) break;
        used += columns_of(c.code);
        at += c.length;
    }
    return text.substr(0, at);
}

}  // namespace

size_t display_columns(std::string_view text) {
    size_t columns = 0;
    for (size_t at = 0; at < text.size();) {
        Character c = character_at(text, at);
        columns += columns_of(c.code);
        at += c.length;
    }
    return columns;
}

std::string shown_name(std::string_view name) {
    std::string quoted = quoted_name(name);
    bool plain = name.find_first_of(shell_special) == std::string_view::npos && quoted == "'" + std::string(name) + "'";
    return plain ? std::string(name) : quoted;
}

std::string progress_line(int index, int count, std::string_view name, int percent, int columns) {
    std::string head = "[" + std::to_string(index) + "/" + std::to_string(count) + "] ";
    std::string tail = "  " + std::to_string(percent) + "%";
    size_t room = columns > 1 ? static_cast<size_t>(columns - 1) : 0;
    size_t fixed = display_columns(head) + display_columns(tail);
    size_t name_room = room > fixed ? room - fixed : 0;
    if (display_columns(name) <= name_room) return head + std::string(name) + tail;
    if (name_room > cut_mark.size())
        return head + std::string(cut_mark) + std::string(tail_within(name, name_room - cut_mark.size())) + tail;
    return std::string(head_within(head + std::string(name) + tail, room));
}

}  // namespace tessaline
