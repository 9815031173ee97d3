#pragma once

// In the opt-in mode: whether the current line, which ends a sentence, was only cut there by the
// wrap, as the book's own layout shows (its paragraphs are marked and the next line carries no
// mark, or the wrap kept the author's space after the sentence). Its paragraph then goes on.
bool book_layout_continues_line();
