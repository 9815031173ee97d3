#include "engine/sentence_words.h"

const Word sentence_endings[] = {
    {"\xB4\xD9", 2},  // 다
    {"\xB0\xA1", 2},  // 가
    {"\xB7\xAA", 2},  // 랴
    {"\xB6\xF3", 2},  // 라
};
const int sentence_ending_count = sizeof sentence_endings / sizeof sentence_endings[0];

const Word continuation_heads[] = {
    {"\xB1\xD7\xB8\xAE\xB0\xED", 6},  // 그리고
    {"\xB1\xD7\xB7\xAF", 4},          // 그러
    {"\xB1\xD7\xB7\xB8", 4},          // 그렇
    {"\xB1\xD7\xB7\xA1\xBC\xAD", 6},  // 그래서
    {"\xB1\xD7\xB7\xB1\xB5\xA5", 6},  // 그런데
    {"\xB6\xC7", 2},                  // 또
    {"\xB5\xFB\xB6\xF3\xBC\xAD", 6},  // 따라서
    {"\xBF\xE4\xC4\xC1", 4},          // 요컨
    {"\xB4\xD9\xB8\xB8", 4},          // 다만
    {"\xB4\xF5\xB1\xB8\xB3\xAA", 6},  // 더구나
    {"\xBF\xD6\xB3\xC4", 4},          // 왜냐
    {"\xB1\xD7\xB7\xA1\xB5\xB5", 6},  // 그래도
    {"\xC7\xCF\xB9\xB0\xB8\xE7", 6},  // 하물며
    {"\xC8\xA4", 2},                  // 혹
    {"\xC7\xCF\xC1\xF6\xB8\xB8", 6},  // 하지만
    {"\xBE\xC6\xB4\xCF,", 5},         // 아니,
};
const int continuation_head_count = sizeof continuation_heads / sizeof continuation_heads[0];
