#pragma once

#include <cstddef>

struct ProgressView;

constexpr size_t SELECTION_BUFFER_SIZE = 100000;

// Preview sizes: files before the last of a run show less, so the run is not slowed by them.
constexpr int PREVIEW_LIMIT_EARLIER = 3000;
constexpr int PREVIEW_LIMIT_LAST = 30000;

// What the last open dialog chose. Single: the full path followed by two NULs. Multiple: the
// folder, a NUL, every name followed by a NUL, and one more NUL.
extern char selection_buffer[SELECTION_BUFFER_SIZE];
extern int selection_ready;
extern int txt_file_count;

// A name is a text file when its last three characters, ASCII letters lowered, are "txt".
bool passes_text_file_test(const char* name);

// Counts the names of a multiple selection that pass the text-file test (0 for a single one).
int count_text_files();

// Converts every file of the selection, reporting through the view. Files that could not be
// loaded or written are named at the end instead of being reported as processed.
void run_batch(const ProgressView* view);
