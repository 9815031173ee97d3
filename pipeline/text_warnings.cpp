#include "pipeline/text_warnings.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "pipeline/utf8_append.h"

namespace tessaline {

namespace {

// A warning names at most this many characters, so a book full of them gets one readable line.
constexpr size_t named_characters = 10;

struct Range {
    char32_t first;
    char32_t last;
};

// Characters that show nothing by themselves: controls, spaces other than the plain one,
// joiners and other format codes, variation selectors, combining marks, private use.
constexpr Range invisible[] = {
    {0x0000, 0x0020}, {0x007F, 0x00A0}, {0x00AD, 0x00AD},   {0x0300, 0x036F},    {0x061C, 0x061C}, {0x115F, 0x1160},
    {0x180B, 0x180F}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},   {0x2000, 0x200F},    {0x2028, 0x202F}, {0x205F, 0x206F},
    {0x20D0, 0x20FF}, {0x3164, 0x3164}, {0xE000, 0xF8FF},   {0xFE00, 0xFE0F},    {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFFF}, {0xE0000, 0xE0FFF}, {0xF0000, 0x10FFFF},
};

bool is_invisible(char32_t c) {
    return std::any_of(std::begin(invisible), std::end(invisible),
                       [c](const Range& range) { return c >= range.first && c <= range.last; });
}

std::string code_name(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

std::string shown(char32_t c) {
    if (is_invisible(c)) return code_name(c);
    std::string text;
    append_utf8(c, text);
    return text;
}

std::string counted(uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

const char* damaged_units(TextEncoding encoding, uint64_t count) {
    bool one = count == 1;
    switch (encoding) {
    case TextEncoding::cp949: return one ? "byte that is not CP949 text" : "bytes that are not CP949 text";
    case TextEncoding::utf8: return one ? "byte that is not UTF-8" : "bytes that are not UTF-8";
    case TextEncoding::utf16le:
    case TextEncoding::utf16be: return one ? "code unit that is not UTF-16" : "code units that are not UTF-16";
    }
    return "";
}

}  // namespace

std::string damage_warning(TextEncoding encoding, TextEncoding result, const DecodingDamage& damage) {
    if (damage.count == 0) return "";
    const char* became = encoding == TextEncoding::cp949 || result == TextEncoding::cp949 ? "\"?\"" : "U+FFFD";
    std::string where = damage.count == 1 ? " (at byte " : " (the first at byte ";
    return "has " + std::to_string(damage.count) + " " + damaged_units(encoding, damage.count) + where +
           std::to_string(damage.first_offset) + "), written as " + became;
}

std::string unkept_warning(const UnkeptCharacters& unkept) {
    if (unkept.empty()) return "";
    std::vector<std::pair<char32_t, uint64_t>> by_count(unkept.begin(), unkept.end());
    std::stable_sort(by_count.begin(), by_count.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    uint64_t total = 0;
    for (const auto& entry : by_count) total += entry.second;
    std::string list;
    for (size_t k = 0; k < by_count.size() && k < named_characters; ++k)
        list += (k == 0 ? "" : ", ") + shown(by_count[k].first) + " \xC3\x97" + std::to_string(by_count[k].second);
    if (by_count.size() > named_characters)
        list += ", " + counted(by_count.size() - named_characters, "other", "others");
    return "holds " + counted(total, "character", "characters") + " that CP949 lacks, written as \"?\": " + list +
           "; --output-encoding utf-8 keeps them";
}

}  // namespace tessaline
