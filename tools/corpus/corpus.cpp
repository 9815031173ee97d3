#include "tools/corpus/corpus.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/platform.h"

namespace tessaline {

namespace {

std::string read_whole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read corpus file " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string to_cp949(const std::string& utf8_text) {
    size_t count = 0;
    unsigned char* bytes =
        platform_utf8_to_cp949(reinterpret_cast<const unsigned char*>(utf8_text.data()), utf8_text.size(), &count);
    std::string converted(reinterpret_cast<char*>(bytes), count);
    std::free(bytes);
    return converted;
}

std::vector<std::string> split_paragraphs(const std::string& utf8_text) {
    std::vector<std::string> paragraphs;
    size_t start = 0;
    while (start < utf8_text.size()) {
        size_t end = utf8_text.find('\n', start);
        if (end == std::string::npos) end = utf8_text.size();
        std::string line = utf8_text.substr(start, end - start);
        size_t first = line.find_first_not_of(" \t\r");
        size_t last = line.find_last_not_of(" \t\r");
        if (first != std::string::npos) paragraphs.push_back(to_cp949(line.substr(first, last - first + 1)));
        start = end + 1;
    }
    return paragraphs;
}

std::vector<Novel> read_corpus(const std::string& folder) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    if (error) throw std::runtime_error("cannot list corpus folder " + folder + ": " + error.message());
    if (files.empty()) throw std::runtime_error("corpus folder " + folder + " holds no .txt file");
    std::sort(files.begin(), files.end());
    std::vector<Novel> novels;
    for (size_t n = 0; n < files.size(); ++n) {
        CorpusHalf half = n % 2 == 0 ? CorpusHalf::FIT : CorpusHalf::HELD_OUT;
        novels.push_back({files[n].filename().string(), half, split_paragraphs(read_whole(files[n]))});
    }
    return novels;
}

}  // namespace tessaline
