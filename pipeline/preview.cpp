#include "pipeline/preview.h"

namespace tessaline {

const char DOTTED_TAIL[] =
    "\r\n\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n";

std::string preview_of(const std::string& head, uint64_t length, size_t limit) {
    if (length <= limit) return head;
    return head.substr(0, limit) + std::string(DOTTED_TAIL, DOTTED_TAIL_LENGTH);
}

}  // namespace tessaline
