#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;

// Takes the finished front of a line that dialogue breaks grew long, piece by piece, on through
// the line's remaining rules, so the grown line is never held whole.
class GrownLineFront {
public:
    // Bytes from..to at `bytes` are the line's next piece, which may be changed in place: the
    // first piece starts at 0, a later one after the line's first bytes. No byte on the far side
    // of a piece's ends changes what the squeezing of spaces and Hanja removal do to it.
    virtual void take(unsigned char* bytes, int64_t from, int64_t to) = 0;

protected:
    ~GrownLineFront() = default;
};

// Gives stand-alone quotations inside the current line paragraphs of their own. With `front`
// given, a line that grows long goes there from its front as it grows; what stays in the line is
// then its first bytes and its end, the first returned bytes of it already taken. The rules that
// follow read no further into a line than these, nor count its length further than they reach.
int64_t insert_dialogue_breaks(Conversion& cv, GrownLineFront* front = nullptr);

// How far back in the output and ahead in the source a quotation's other mark is looked for.
constexpr int64_t dialogue_output_window = 49;
constexpr int64_t dialogue_source_window = 49;

}  // namespace tessaline
