#pragma once

#include <map>
#include <string>
#include <vector>

namespace tessaline {

// The word lists of engine/rules/words as the tests read them, apart from the generator, so that
// a fault of either shows as a difference. Words are UTF-8, with "␣" turned back into a space.

struct ListEntry {
    std::vector<std::string> words;  // the entry's own words, or "@name" for another table's words
    std::map<std::string, std::vector<std::string>> fields;  // "excluded_heads" -> its words
};

struct ListedTable {
    std::string kind;  // "words", "tail rules", ...
    std::vector<ListEntry> entries;
};

// Every table of every list file in `folder`, by name. Throws std::runtime_error naming the file
// and line of anything it cannot read.
std::map<std::string, ListedTable> read_word_tables(const std::string& folder);

// The words of one table, one per entry.
std::vector<std::string> listed_words(const ListedTable& table);

}  // namespace tessaline
