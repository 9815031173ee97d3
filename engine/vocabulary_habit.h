#pragma once

#include <cstdint>

struct BookVocabulary;
class TextWindow;

// Learns from the clear joints and the line ends how the book was wrapped: whether its cuts fall
// inside words or between them, whether a blank left at a cut is the author's space, and whether
// its paragraphs are marked by indentation or empty lines. Only every `line_stride`-th line end
// is read, as in a long book a sample of them tells as much.
void learn_wrap_habit(BookVocabulary& vocabulary, const TextWindow& source, int64_t line_stride);
