#include "app/selection.h"

#include <cstring>
#include <string>

#include "platform/platform.h"

namespace tessaline {

char selection_buffer[selection_buffer_size];
int selection_ready;
int txt_file_count;

size_t selection_string_length(size_t offset) {
    return strnlen(selection_buffer + offset, selection_buffer_size - offset);
}

bool is_multiple_selection() {
    size_t after_first = selection_string_length(0) + 1;
    return after_first < selection_buffer_size && selection_buffer[after_first] != '\0';
}

std::vector<BatchFile> selected_files() {
    std::string first(selection_buffer, selection_string_length(0));
    if (!is_multiple_selection()) return {BatchFile{first, "", false}};
    // The folder gets one more separator even when it ends in one, as at a drive's root.
    std::string folder = first + platform_separator();
    std::vector<BatchFile> files;
    for_each_text_file([&](const char* name, size_t length) {
        files.push_back({folder + std::string(name, length), "", false});
    });
    return files;
}

}  // namespace tessaline
