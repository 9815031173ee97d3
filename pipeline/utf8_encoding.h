#pragma once

#include <cstddef>
#include <string>

// CP949 to UTF-8 in pieces, giving exactly what converting the whole text at once gives. A byte
// that can never be the second byte of a CP949 character ends the character it belongs to, so
// each piece is converted up to the last such byte and the rest waits for the next piece.
class Utf8Encoding {
public:
    // Appends the UTF-8 of what is certainly whole to `into`.
    void put(const unsigned char* bytes, size_t count, std::string& into);
    // Appends the UTF-8 of what was held back.
    void finish(std::string& into);

private:
    std::string held_;
};
