#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/vocabulary/evidence.h"

namespace tessaline {

// What the evidence reads at one joint: the joint whose next line's text begins at `next_start`.
struct JointReading {
    int64_t next_start;
    JointSides sides;
    JointWords words;
    BookEvidence evidence;
};

// Readings made on one thread and taken on another, in the order of their joints in the text. The
// maker never waits: a reading that finds no room is dropped, and the line loop reads that joint
// itself. A reading taken stays in its slot until a later joint is asked for.
class JointReadingRing {
public:
    // Room for this many readings: a few pieces of text ahead of the line loop.
    static constexpr size_t slots = size_t{1} << 12;

    JointReadingRing() : readings_(slots) {}

    // On the maker's thread.
    void put(const JointReading& reading) {
        size_t written = written_.load(std::memory_order_relaxed);
        if (written - passed_.load(std::memory_order_acquire) == slots) return;
        readings_[written % slots] = reading;
        written_.store(written + 1, std::memory_order_release);
    }

    // On the taker's thread: the reading of the joint at `next_start`, or null; the readings of
    // the joints before it are passed over for good.
    const JointReading* at(int64_t next_start) {
        size_t passed = passed_.load(std::memory_order_relaxed);
        size_t written = written_.load(std::memory_order_acquire);
        while (passed != written && readings_[passed % slots].next_start < next_start) ++passed;
        passed_.store(passed, std::memory_order_release);
        if (passed == written || readings_[passed % slots].next_start != next_start) return nullptr;
        return &readings_[passed % slots];
    }

private:
    std::vector<JointReading> readings_;
    std::atomic<size_t> written_{0};
    std::atomic<size_t> passed_{0};
};

}  // namespace tessaline
