#pragma once

#include <string>
#include <vector>

namespace tessaline {

// The corpus split in two for fitting: the novels at even positions in name order are the half
// that weights are fitted on, the others the held-out half that checks the fit.
enum class CorpusHalf { FIT, HELD_OUT };

// One novel of the corpus: its file name, its half and its paragraphs as CP949 bytes, one
// paragraph per line of the UTF-8 file, empty lines skipped.
struct Novel {
    std::string name;
    CorpusHalf half;
    std::vector<std::string> paragraphs;
};

// Reads every *.txt file of a folder, in name order. Throws std::runtime_error naming the folder
// or file that cannot be read; an empty folder is an error too, so a wrong path never measures
// nothing.
std::vector<Novel> read_corpus(const std::string& folder);

// A UTF-8 text converted to CP949, unmappable characters as "?".
std::string to_cp949(const std::string& utf8_text);

// The paragraphs of one UTF-8 text, converted to CP949.
std::vector<std::string> split_paragraphs(const std::string& utf8_text);

}  // namespace tessaline
