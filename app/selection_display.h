#pragma once

#include <cstddef>

namespace tessaline {

// Room for the list of a multiple selection, NUL included.
constexpr size_t selection_list_size = 10000;

// Takes what the open dialog left in the selection buffer: `chosen` is false for a cancel or an
// error. Sets selection_ready and shows the choice: a single file's beginning, or the list of
// the text files of a multiple selection, in the preview box.
void take_open_dialog_result(bool chosen);

// Writes the header and the names of a multiple selection that pass the text-file test into
// `list`, and returns how many pass. A list too long for the room holds whole names only and
// ends with a line "...".
int list_text_files(char list[selection_list_size]);

}  // namespace tessaline
