#include "pipeline/stand_in_table.h"

namespace tessaline {

namespace {

// Stand-ins are numbered in order of their length: the stand_in_digits one-code stand-ins come
// first, then stand_in_digits^2 two-code ones, and so on. `prefixes` is how many row-0xFE codes
// lead the stand-in of `index`, `value` its number among those of that length.
void split_index(uint64_t index, size_t& prefixes, uint64_t& value) {
    uint64_t block = stand_in_digits;
    prefixes = 0;
    while (index >= block) {
        index -= block;
        block *= stand_in_digits;
        ++prefixes;
    }
    value = index;
}

}  // namespace

void StandInTable::append(char32_t c, std::string& out) {
    auto [found, added] = index_of_.try_emplace(c, static_cast<uint32_t>(characters_.size()));
    if (added) characters_.push_back(c);
    size_t prefixes = 0;
    uint64_t value = 0;
    split_index(found->second, prefixes, value);
    size_t start = out.size();
    out.resize(start + 2 * (prefixes + 1));
    // The digits are written last first, from the final code back.
    for (size_t k = prefixes + 1; k-- > 0;) {
        out[start + 2 * k] = static_cast<char>(k == prefixes ? stand_in_final_lead : stand_in_prefix_lead);
        out[start + 2 * k + 1] = static_cast<char>(stand_in_trail_first + value % stand_in_digits);
        value /= stand_in_digits;
    }
}

char32_t StandInTable::character_of(const std::vector<unsigned char>& prefix_digits, unsigned char final_digit) const {
    uint64_t index = 0;
    uint64_t block = stand_in_digits;
    uint64_t value = 0;
    for (unsigned char digit : prefix_digits) {
        index += block;
        block *= stand_in_digits;
        value = value * stand_in_digits + digit;
        if (index > characters_.size()) return 0;
    }
    index += value * stand_in_digits + final_digit;
    return index < characters_.size() ? characters_[index] : 0;
}

}  // namespace tessaline
