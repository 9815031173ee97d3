#include "pipeline/text_file_name.h"

#include <cstring>

namespace tessaline {

bool passes_text_file_test(const char* name) {
    size_t length = std::strlen(name);
    if (length < 3) return false;
    const char* tail = name + length - 3;
    for (int k = 0; k < 3; ++k) {
        char c = tail[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != "txt"[k]) return false;
    }
    return true;
}

}  // namespace tessaline
