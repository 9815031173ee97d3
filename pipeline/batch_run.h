#pragma once

#include <cstddef>

struct ProgressView;

constexpr size_t SELECTION_BUFFER_SIZE = 100000;

// What the last open dialog chose. Single: the full path followed by two NULs. Multiple: the
// folder, a NUL, every name followed by a NUL, and one more NUL.
extern char selection_buffer[SELECTION_BUFFER_SIZE];
extern int selection_ready;
extern int txt_file_count;

// A name is a text file when its last three characters, ASCII letters lowered, are "txt".
bool passes_text_file_test(const char* name);

// Converts every file of the selection, reporting through the view.
void run_batch(const ProgressView* view);
