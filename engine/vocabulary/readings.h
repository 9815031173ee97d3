#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/vocabulary/decision.h"
#include "engine/vocabulary/text.h"

namespace tessaline {

// The rules' decisions at a joint, in the order a reading's odds follow.
constexpr std::array<RulesJoint, 3> rules_joints = {RulesJoint::SPACED, RulesJoint::SPACE_TAKEN_BACK,
                                                    RulesJoint::NO_SPACE};

inline size_t rules_index(RulesJoint rules) { return static_cast<size_t>(rules); }

// What the scan reads at one joint, the one whose next line's text begins at `next_start`, for
// the line from `line_start`: how the book's layout sees that line, and, unless the line loop
// never asks, the book's evidence there: the character before the cut (from `last_start`,
// `last_width` bytes), whether a character stands on both sides, and the odds for a space under
// each decision of the rules (without a dictionary). One cache line of its own, as each goes
// from one processor to the other: two that shared a line would pass it back and forth.
struct alignas(64) JointReading {
    int64_t next_start;
    int64_t line_start;
    int64_t last_start;
    double odds[rules_joints.size()];
    uint8_t last_width;
    bool meets;
    bool evidence_read;    // the three fields above and the odds are read
    bool short_of_wrap;    // the line ends short of the book's wrap width
    bool sentence_inside;  // a sentence ends inside the line, where the book is wrapped at a width
};
static_assert(sizeof(JointReading) == 64, "a reading fills one cache line");

// Readings made on one thread and taken on another, in the order of their joints in the text. The
// maker never waits: a reading that finds no room is dropped, and the line loop reads that joint
// itself. A reading taken stays in its slot until a later joint is asked for. Each side tells the
// other how far it has come only now and then, so the two seldom wait for each other's memory.
class JointReadingRing {
public:
    // Room for this many readings: a few pieces of text ahead of the line loop.
    static constexpr size_t slots = size_t{1} << 12;
    // The taker tells how far it has come after passing this many readings.
    static constexpr size_t taking_told = 256;
    // Each side asks this many slots ahead for the line it will use next, which the other side
    // used last, so that the line crosses between the processors while the side works.
    static constexpr size_t slots_fetched_ahead = 8;

    JointReadingRing() : readings_(slots) {}

    // On the maker's thread.
    void put(const JointReading& reading) {
        if (written_ - taken_seen_ == slots) taken_seen_ = taken_told_.load(std::memory_order_acquire);
        if (written_ - taken_seen_ == slots) return;
        readings_[written_ % slots] = reading;
        written_told_.store(++written_, std::memory_order_release);
        __builtin_prefetch(&readings_[(written_ + slots_fetched_ahead) % slots], 1);
    }

    // On the taker's thread: the reading of the joint at `next_start`, or null; the readings of
    // the joints before it are passed over for good.
    const JointReading* at(int64_t next_start) {
        while (reading_waits() && readings_[taken_ % slots].next_start < next_start) ++taken_;
        if (taken_ - taken_last_told_ >= taking_told) {
            taken_last_told_ = taken_;
            taken_told_.store(taken_, std::memory_order_release);
        }
        if (taken_ == written_seen_ || readings_[taken_ % slots].next_start != next_start) return nullptr;
        // Only a reading written: one being written would go back to the maker's processor.
        if (taken_ + slots_fetched_ahead < written_seen_)
            __builtin_prefetch(&readings_[(taken_ + slots_fetched_ahead) % slots]);
        return &readings_[taken_ % slots];
    }

private:
    // What the maker wrote is looked up only when the readings last seen are all passed.
    bool reading_waits() {
        if (taken_ == written_seen_) written_seen_ = written_told_.load(std::memory_order_acquire);
        return taken_ != written_seen_;
    }

    std::vector<JointReading> readings_;
    // The maker's side: readings written, and the taker's count as last seen.
    alignas(64) std::atomic<size_t> written_told_{0};
    size_t written_ = 0;
    size_t taken_seen_ = 0;
    // The taker's side: readings passed, and the maker's count as last seen.
    alignas(64) std::atomic<size_t> taken_told_{0};
    size_t taken_ = 0;
    size_t taken_last_told_ = 0;
    size_t written_seen_ = 0;
};

struct Conversion;

// The reading a scan ahead made for the current line of the line loop, if one did for this very line.
const JointReading* current_line_reading(Conversion& cv);

}  // namespace tessaline
