#include "tests/support/word_lists.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace tessaline {

namespace {

const std::string space_sign = "\u2423";

std::string restored(std::string token) {
    for (size_t at = token.find(space_sign); at != std::string::npos; at = token.find(space_sign, at))
        token.replace(at, space_sign.size(), " ");
    return token;
}

ListEntry read_entry(const std::string& text) {
    static const std::regex label("([a-z_]+):");
    ListEntry entry;
    std::vector<std::string>* target = &entry.words;
    std::istringstream tokens(text);
    for (std::string token; tokens >> token;) {
        std::smatch found;
        if (std::regex_match(token, found, label)) target = &entry.fields[found[1]];
        else target->push_back(restored(token));
    }
    return entry;
}

void read_file(const std::filesystem::path& path, std::map<std::string, ListedTable>& tables) {
    static const std::regex header(R"(\[([a-z_]+):\s*([a-z ]+)\])");
    std::ifstream in(path);
    if (!in) throw std::runtime_error(path.string() + ": cannot be opened");
    ListedTable* table = nullptr;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::string text = line.substr(0, line.find('#'));
        text.erase(0, text.find_first_not_of(" \t\r"));
        text.erase(text.find_last_not_of(" \t\r") + 1);
        std::smatch found;
        if (text.empty()) continue;
        if (std::regex_match(text, found, header)) {
            table = &tables[found[1]];
            table->kind = found[2];
        } else if (table == nullptr) {
            throw std::runtime_error(path.string() + ":" + std::to_string(number) + ": an entry before any table");
        } else {
            table->entries.push_back(read_entry(text));
        }
    }
}

}  // namespace

std::map<std::string, ListedTable> read_word_tables(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        if (item.path().extension() == ".txt") files.push_back(item.path());
    if (files.empty()) throw std::runtime_error(folder + ": holds no word lists");
    std::sort(files.begin(), files.end());
    std::map<std::string, ListedTable> tables;
    for (const auto& path : files) read_file(path, tables);
    return tables;
}

std::vector<std::string> listed_words(const ListedTable& table) {
    std::vector<std::string> words;
    for (const ListEntry& entry : table.entries) words.insert(words.end(), entry.words.begin(), entry.words.end());
    return words;
}

}  // namespace tessaline
