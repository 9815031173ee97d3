#include "pipeline/text_encoding.h"

namespace tessaline {

namespace {

struct Named {
    const char* name;
    InputEncoding encoding;
};

// "uhc" and the Windows names are CP949 itself; EUC-KR is the part of CP949 without the
// extended Hangul, so reading it as CP949 loses nothing.
constexpr Named input_names[] = {
    {"auto", InputEncoding::automatic},  {"cp949", InputEncoding::cp949},      {"uhc", InputEncoding::cp949},
    {"ms949", InputEncoding::cp949},     {"euc-kr", InputEncoding::cp949},     {"ks_c_5601-1987", InputEncoding::cp949},
    {"utf-8", InputEncoding::utf8},      {"utf8", InputEncoding::utf8},        {"utf-16le", InputEncoding::utf16le},
    {"utf16le", InputEncoding::utf16le}, {"utf-16be", InputEncoding::utf16be}, {"utf16be", InputEncoding::utf16be},
    {"utf-16", InputEncoding::utf16},    {"utf16", InputEncoding::utf16},
};

bool same_name(std::string_view given, const char* name) {
    size_t k = 0;
    for (; k < given.size() && name[k] != 0; ++k) {
        char c = given[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != name[k]) return false;
    }
    return k == given.size() && name[k] == 0;
}

}  // namespace

const char input_encoding_names[] =
    "auto, cp949, uhc, ms949, euc-kr, ks_c_5601-1987, utf-8, utf8, utf-16le, utf-16be, utf-16";
const char output_encoding_names[] = "same, cp949, utf-8, utf8";

TextEncoding output_encoding_for(OutputEncoding choice, TextEncoding input) {
    if (choice == OutputEncoding::cp949) return TextEncoding::cp949;
    if (choice == OutputEncoding::utf8) return TextEncoding::utf8;
    return input == TextEncoding::cp949 ? TextEncoding::cp949 : TextEncoding::utf8;
}

bool input_encoding_named(std::string_view name, InputEncoding& encoding) {
    for (const Named& entry : input_names) {
        if (!same_name(name, entry.name)) continue;
        encoding = entry.encoding;
        return true;
    }
    return false;
}

bool output_encoding_named(std::string_view name, OutputEncoding& encoding) {
    if (same_name(name, "same")) encoding = OutputEncoding::same;
    else if (same_name(name, "cp949")) encoding = OutputEncoding::cp949;
    else if (same_name(name, "utf-8") || same_name(name, "utf8")) encoding = OutputEncoding::utf8;
    else return false;
    return true;
}

const char* encoding_label(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::cp949: return "CP949";
    case TextEncoding::utf8: return "UTF-8";
    case TextEncoding::utf16le: return "UTF-16LE";
    case TextEncoding::utf16be: return "UTF-16BE";
    }
    return "CP949";
}

}  // namespace tessaline
