#pragma once

#include <cstddef>

namespace tessaline {

class OutputDelivery;

// Corrects every "읍니" to "습니" in the text passing through on its way out. The last bytes of
// a piece wait for the next, as the old ending may be cut between two pieces.
class OrthographyPass {
public:
    explicit OrthographyPass(OutputDelivery& out) : out_(out) {}

    void take(const unsigned char* bytes, size_t count);

    // The text has ended: the bytes still waiting go out as they are.
    void finish();

private:
    // Decides the waiting bytes with the first bytes of the new piece; returns how many of those
    // it used, or `count` when the piece is too short to decide and joined the waiting bytes.
    size_t take_waiting(const unsigned char* bytes, size_t count);

    OutputDelivery& out_;
    unsigned char waiting_[3] = {};
    size_t waiting_count_ = 0;
};

}  // namespace tessaline
