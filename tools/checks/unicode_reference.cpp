#include "tools/checks/unicode_reference.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <utility>

#include "pipeline/cp949_map.h"
#include "pipeline/text_encoder.h"

namespace tessaline {

namespace {

std::u32string without_nul(std::u32string characters) {
    std::erase(characters, U'\0');
    return characters;
}

// The characters of a UTF-8 or UTF-16 file as the loader must read them: the mark of its
// encoding passed over, each byte (UTF-16: code unit) that is not text one U+FFFD, a lone last
// byte of UTF-16LE completed by a zero byte, NUL characters dropped.
std::u32string reference_characters(std::string raw, TextEncoding encoding) {
    static const std::pair<TextEncoding, std::string_view> marks[] = {
        {TextEncoding::utf8, "\xEF\xBB\xBF"}, {TextEncoding::utf16le, "\xFF\xFE"}, {TextEncoding::utf16be, "\xFE\xFF"}};
    for (const auto& [marked, mark] : marks)
        if (marked == encoding && raw.starts_with(mark)) raw.erase(0, mark.size());
    if (encoding == TextEncoding::utf8) return without_nul(iconv_characters(raw, "UTF-8", 1));
    bool lone_byte = raw.size() % 2 == 1;
    if (lone_byte && encoding == TextEncoding::utf16le) raw += '\0';
    if (lone_byte && encoding == TextEncoding::utf16be) raw.pop_back();
    std::u32string characters = iconv_characters(raw, encoding == TextEncoding::utf16le ? "UTF-16LE" : "UTF-16BE", 2);
    if (lone_byte && encoding == TextEncoding::utf16be) characters += replacement_character;
    return without_nul(characters);
}

std::string encoded(std::string_view cp949, TextEncoding result, const StandInTable& stand_ins) {
    std::string out;
    TextEncoder encoder(result, &stand_ins);
    encoder.encode(std::span(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size()), out);
    encoder.finish(out);
    return out;
}

std::string position_text(const char* what, size_t position) {
    return std::string(what) + " " + std::to_string(position);
}

// A CP949 file read for a CP949 result keeps its bytes, except that one of 0x80 and above that
// leads no character becomes "?".
std::string check_cp949_kept(const std::string& raw, const std::string& loaded) {
    std::string kept = raw;
    std::erase(kept, '\0');
    if (kept.size() != loaded.size()) return "the loaded CP949 text is not as long as the file without its NULs";
    for (size_t k = 0; k < kept.size(); ++k) {
        bool replaced = loaded[k] == '?' && static_cast<unsigned char>(kept[k]) >= 0x80;
        if (kept[k] != loaded[k] && !replaced)
            return position_text("the loaded CP949 text differs from the file at byte", k);
    }
    return {};
}

// Every character or "?" in its place, and at least as many "?" as characters counted as lost.
std::string check_characters_or_unknown(const std::u32string& expected, const std::u32string& got,
                                        const UnkeptCharacters& unkept) {
    if (got.size() != expected.size()) return "the loaded text does not hold one character for each of the file";
    uint64_t replaced = 0;
    for (size_t k = 0; k < got.size(); ++k) {
        if (got[k] == expected[k]) continue;
        if (got[k] != U'?' || expected[k] < 0x80)
            return position_text("the loaded text differs from the file at character", k);
        ++replaced;
    }
    uint64_t counted = 0;
    for (const auto& entry : unkept) counted += entry.second;
    return counted <= replaced ? "" : "more characters were counted as written as \"?\" than were";
}

}  // namespace

std::u32string iconv_characters(std::string_view text, const char* from, size_t skip) {
    iconv_t cd = iconv_open("UTF-32LE", from);
    std::u32string characters;
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    while (in_left > 0) {
        char32_t buffer[256];
        char* out = reinterpret_cast<char*>(buffer);
        size_t room = sizeof buffer;
        size_t result = iconv(cd, &in, &in_left, &out, &room);
        characters.append(buffer, (sizeof buffer - room) / sizeof(char32_t));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            characters += replacement_character;
            size_t passed = std::min(skip, in_left);
            in += passed;
            in_left -= passed;
        }
    }
    iconv_close(cd);
    return characters;
}

std::string find_cut_character(std::string_view cp949) {
    for (size_t k = 0; k < cp949.size(); ++k) {
        auto lead = static_cast<unsigned char>(cp949[k]);
        if (lead < 0x80) continue;
        if (k + 1 < cp949.size() && is_cp949_lead(lead) &&
            is_cp949_trail(lead, static_cast<unsigned char>(cp949[k + 1]))) {
            ++k;
            continue;
        }
        return "a character is cut in two at byte " + std::to_string(k) + " [" + hex_context(cp949, k) + "]";
    }
    return {};
}

std::string check_decoding(const std::string& raw, const std::string& loaded, const LoadedText& source,
                           TextEncoding result) {
    if (source.encoding == TextEncoding::cp949)
        return result == TextEncoding::cp949 ? check_cp949_kept(raw, loaded) : "";
    std::u32string expected = reference_characters(raw, source.encoding);
    if (result == TextEncoding::cp949)
        return check_characters_or_unknown(expected, iconv_characters(loaded, "CP949", 1), source.unkept);
    std::u32string got = iconv_characters(encoded(loaded, TextEncoding::utf8, source.stand_ins), "UTF-8", 1);
    if (got == expected) return {};
    size_t at = static_cast<size_t>(std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first -
                                    got.begin());
    return position_text("the text given back in UTF-8 differs from the file at character", at);
}

std::string find_lost_utf8(const std::string& source_cp949, const StandInTable& stand_ins,
                           const std::string& output_utf8, KeptTextAllowance allowance) {
    std::u32string source = iconv_characters(encoded(source_cp949, TextEncoding::utf8, stand_ins), "UTF-8", 1);
    std::u32string output = iconv_characters(output_utf8, "UTF-8", 1);
    return find_lost_characters(source, output, allowance);
}

}  // namespace tessaline
