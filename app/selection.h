#pragma once

#include <cstddef>
#include <vector>

#include "pipeline/batch_request.h"
#include "pipeline/text_file_name.h"

namespace tessaline {

constexpr size_t selection_buffer_size = 100000;

// What the last open dialog chose. Single: the full path followed by two NULs. Multiple: the
// folder, a NUL, every name followed by a NUL, and one more NUL.
extern char selection_buffer[selection_buffer_size];
// 1 while a choice waits to be converted; a completed run uses it up.
extern int selection_ready;
// The text files of a multiple selection, counted when it was made.
extern int txt_file_count;

// Length of the selection's string at `offset`, stopping at the end of the buffer.
size_t selection_string_length(size_t offset);

bool is_multiple_selection();

// Calls visit(name, length) with every name of a multiple selection that passes the text-file
// test, in the order of the selection. A name that runs into the end of the buffer is none.
template <typename Visit>
void for_each_text_file(Visit visit);

// The files a run of the selection converts: the one chosen file whatever its name, or the
// folder, one separator and the name of every text file of a multiple selection.
std::vector<BatchFile> selected_files();

template <typename Visit>
void for_each_text_file(Visit visit) {
    size_t offset = selection_string_length(0) + 1;
    while (offset < selection_buffer_size) {
        size_t length = selection_string_length(offset);
        if (length == 0 || offset + length == selection_buffer_size) return;
        const char* name = selection_buffer + offset;
        if (passes_text_file_test(name)) visit(name, length);
        offset += length + 1;
    }
}

}  // namespace tessaline
