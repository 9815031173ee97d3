#pragma once

// Learns from the clear joints and the line ends how the book was wrapped: whether its cuts fall
// inside words or between them, whether a blank left at a cut is the author's space, and whether
// its paragraphs are marked by indentation or empty lines.
void learn_wrap_habit();
