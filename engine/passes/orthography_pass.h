#pragma once

#include <cstddef>

#include "engine/text/byte_buffer.h"

namespace tessaline {

class OutputDelivery;

// Corrects every "읍니" to "습니" in the text passing through on its way out, where it stands as
// characters. The text is collected into blocks and corrected in place a block at a time; the
// last bytes of a block wait for the next, as the old ending may be cut between two pieces.
class OrthographyPass {
public:
    explicit OrthographyPass(OutputDelivery& out) : out_(out) {}

    void take(const unsigned char* bytes, size_t count);

    // Passes on every byte that no later text can change.
    void deliver();

    // The text has ended: the bytes still waiting go out as they are.
    void finish();

private:
    // Corrects the block and passes it on, but for `kept` bytes at its end.
    void pass_on(size_t kept);

    OutputDelivery& out_;
    ByteBuffer block_;
    size_t used_ = 0;
    bool odd_run_ = false;  // the text passed on ends in a run of high bytes of odd length
};

}  // namespace tessaline
