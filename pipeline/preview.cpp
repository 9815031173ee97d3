#include "pipeline/preview.h"

namespace tessaline {

const char dotted_tail[] =
    "\r\n\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n";

std::string preview_of(const std::string& head, uint64_t length, size_t limit) {
    if (length <= limit) return head;
    return head.substr(0, limit) + std::string(dotted_tail, dotted_tail_length);
}

}  // namespace tessaline
