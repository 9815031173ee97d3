// Writes the corpus inputs of the quality tool as files, for comparing the browser's engine with
// the command line on them: FOLDER/STYLE/novel_text, CP949 with CR LF, one folder per wrap style.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"

namespace tessaline {

int write_wrapped_corpus(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: write_wrapped_corpus CORPUS_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        std::vector<Novel> novels = read_corpus(argv[1]);
        for (WrapStyle style : all_wrap_styles()) {
            std::filesystem::path folder = std::filesystem::path(argv[2]) / wrap_style_name(style);
            std::filesystem::create_directories(folder);
            for (const Novel& novel : novels) {
                std::string text = wrap_novel(novel.paragraphs, style).text;
                std::ofstream out(folder / novel.name, std::ios::binary | std::ios::trunc);
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                if (!out) throw std::runtime_error("cannot write " + (folder / novel.name).string());
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "write_wrapped_corpus: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::write_wrapped_corpus(argc, argv); }
