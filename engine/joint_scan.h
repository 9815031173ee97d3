#pragma once

#include <memory>
#include <span>

namespace tessaline {

class Reflow;
class JointReadingRing;

// Reads the book's evidence at the joints of a text ahead of its conversion in the vocabulary
// mode, so that a second processor takes that part of the work: one thread feeds the scan the text
// in the same pieces as the conversion, a little ahead of it, while the conversion, told to read
// from the scan (Reflow::read_joints_from), finds each joint's reading made. A joint not read in
// time, or not clearly the same joint, is read by the conversion itself: the result is the same.
class JointScan {
public:
    // For `reflow`, whose first pass is done; it must outlast the scan.
    explicit JointScan(const Reflow& reflow);
    ~JointScan();
    JointScan(const JointScan&) = delete;
    JointScan& operator=(const JointScan&) = delete;

    // The scan's thread. A failed allocation throws std::bad_alloc; the scan then reads no more.
    void feed(std::span<const unsigned char> cp949);
    void finish();

    // Where the conversion takes the readings.
    JointReadingRing& readings();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tessaline
