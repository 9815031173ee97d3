// Writes starting inputs for the fuzz targets: pieces of the corpus wrapped the ways real files
// come, in the encodings and line ends they come in, plus short texts that reach the rarer rules.

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"

namespace tessaline {

namespace {

constexpr size_t piece_bytes = 3000;  // small pieces keep every fuzzing run fast

// Option bytes: the window's start, everything off, marks and splitting, Hanja removal.
const unsigned char option_flags[] = {0x03, 0x00, 0x07, 0x0B, 0x13, 0x23};

// Short texts for rules that novels seldom reach, in UTF-8.
const char* const special_texts[] = {
    "“가자.” 그는 돌아섰다.\r\n\"가자\" 하고 \"싫어.\"\"네.\"\r\n그는 “가자” 하고 “가자.” 말했다.\r\n",
    "한자(漢字) 그 한자 (漢字)를 ()\r\n(漢字)의 사랑(love) 서울(Seoul) 주식회사(株式會社)\r\n",
    "했읍\r\n니다. 있읍니다.\r\n읍니읍니다\r\n",
    "제 목 : 고마워요\r\n조회수:12\r\n1. 첫째\r\n2- 둘째\r\n----------\r\n==\r\n**\r\n//\r\n\r\n\r\n",
    "　　첫 줄\r\n   \"들여쓰기\"  \r\n[알림] 내용 '인용' ‘홑따옴표’\r\n\t \r\n\r",
};

std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out(text.size() * 4 + 16, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

std::string lf_only(std::string text) {
    std::string kept;
    for (char c : text)
        if (c != '\r') kept += c;
    return kept;
}

// A piece of the wrapped novel starting at a line end, about piece_bytes long.
std::string piece_of(const std::string& text, size_t index) {
    size_t start = text.size() > piece_bytes ? (index * 7919) % (text.size() - piece_bytes) : 0;
    size_t line = text.find('\n', start);
    start = line == std::string::npos || start == 0 ? 0 : line + 1;
    size_t end = text.find('\n', std::min(text.size(), start + piece_bytes));
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

void write_seed(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string conversion_header(size_t index, unsigned char repeat) {
    std::string header;
    header += static_cast<char>(option_flags[index % sizeof option_flags]);
    header += static_cast<char>(15);
    header += static_cast<char>(repeat);
    return header;
}

// The same CP949 text in each way the loader meets it, behind the byte choosing its setting.
void write_loader_seeds(const std::filesystem::path& folder, const std::string& name, const std::string& text) {
    std::string utf8 = convert(text, "UTF-8", "CP949");
    std::string utf16 = convert(text, "UTF-16LE", "CP949");
    write_seed(folder / (name + "-cp949"), std::string(1, '\0') + text);
    write_seed(folder / (name + "-utf8-mark"), std::string(1, '\0') + "\xEF\xBB\xBF" + utf8);
    write_seed(folder / (name + "-utf8-auto"), std::string(1, '\1') + utf8);
    write_seed(folder / (name + "-utf16-mark"), std::string(1, '\0') + "\xFF\xFE" + utf16);
    write_seed(folder / (name + "-utf16-odd"), std::string(1, '\4') + utf16 + "A");
}

void write_seeds(const std::vector<Novel>& novels, const std::filesystem::path& out) {
    std::filesystem::create_directories(out / "conversion");
    std::filesystem::create_directories(out / "loader");
    size_t index = 0;
    for (const Novel& novel : novels) {
        for (WrapStyle style : all_wrap_styles()) {
            std::string piece = piece_of(wrap_novel(novel.paragraphs, style).text, index);
            if (index % 2 == 1) piece = lf_only(piece);
            std::string name = novel.name + "-" + wrap_style_name(style);
            write_seed(out / "conversion" / name, conversion_header(index, 0) + piece);
            if (index % 5 == 0) write_loader_seeds(out / "loader", name, piece);
            ++index;
        }
    }
    size_t special = 0;
    for (const char* text : special_texts) {
        std::string name = "special-" + std::to_string(special);
        write_seed(out / "conversion" / name, conversion_header(special, 0) + to_cp949(text));
        write_seed(out / "conversion" / (name + "-long"), conversion_header(special, 0xFC) + to_cp949(text));
        write_loader_seeds(out / "loader", name, to_cp949(text));
        ++special;
    }
}

}  // namespace

int write_fuzz_seeds(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: fuzz_seeds CORPUS_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        write_seeds(read_corpus(argv[1]), argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::write_fuzz_seeds(argc, argv); }
