#include "engine/joint_words.h"

// The openings of the next line that call for a space at the joint, in CP949 with the Hangul
// beside each word; a "␣" in a comment stands for a space byte.

namespace {

constexpr Word opening_head_words[] = {
    {"\xB1\xD7\xB7\xB8", 4},  // 그렇
    {"\xB1\xD7\xB8\xAE\xB0\xED", 6},  // 그리고
    {"\xB1\xD7\xB7\xB1\xB5\xA5", 6},  // 그런데
    {"\xB1\xD7\xB7\xA1\xBC\xAD", 6},  // 그래서
    {"\xB1\xD7\xB7\xAF\xB3\xAA", 6},  // 그러나
    {"\xB1\xD7\xB7\xA1\xB5\xB5", 6},  // 그래도
    {"\xB6\xC7\xC7\xD1 ", 5},  // 또한␣
    {"\xB6\xC7\xC7\xD1,", 5},  // 또한,
    {"\xB6\xC7\xB4\xC2 ", 5},  // 또는␣
    {"\xB6\xC7\xB4\xC2,", 5},  // 또는,
    {"\xB5\xFB\xB6\xF3\xBC\xAD", 6},  // 따라서
    {"\xBF\xE4\xC4\xC1\xB5\xA5", 6},  // 요컨데
    {"\xB4\xF5\xB1\xB8\xB3\xAA", 6},  // 더구나
    {"\xC7\xCF\xB9\xB0\xB8\xE7", 6},  // 하물며
};

constexpr Word after_ni[] = {{"\xB4\xCF", 2}};  // 니

constexpr HeadRule opening_rule_table[] = {
    {.head = {"\xB0\xCD\xB5\xB5", 4}, .offset = 2},  // 것도, read from the next line's third byte
    {.head = {"\xB4\xD9\xB8\xB8", 4}, .excluded_tails = after_ni},  // 다만
    {.head = {"\xB8\xB8\xBE\xE0", 4}},  // 만약
};

}  // namespace

constexpr std::span<const Word> opening_heads = opening_head_words;
constexpr std::span<const HeadRule> opening_rules = opening_rule_table;
