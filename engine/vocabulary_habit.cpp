#include "engine/vocabulary_habit.h"

#include <cmath>
#include <cstring>

#include "engine/engine_state.h"
#include "engine/vocabulary_evidence.h"
#include "engine/vocabulary_store.h"

namespace {

// Only joints the words and syllables decide this clearly tell the habit apart from the text.
constexpr double HABIT_EVIDENCE = 2.0;
// A habit seen in every clear joint still leaves room for a word the book spells both ways.
constexpr double HABIT_LIMIT = 6.0;

struct HabitTally {
    double spaced[2];
    double unspaced[2];
};

// The next line's text, when it follows on the very next line (no empty line between).
int64_t next_line_text(int64_t lf) {
    int64_t pos = lf + 1;
    while (source_byte(pos) == ' ' || source_byte(pos) == '\t') ++pos;
    unsigned char b = source_byte(pos);
    return (b == '\r' || b == '\n' || b == 0) ? -1 : pos;
}

void tally_joint(HabitTally& tally, int64_t next_text) {
    JointSides joint = joint_sides(next_text);
    if (joint.before.length == 0 || joint.after.length == 0) return;
    double odds = joint_space_evidence(joint);
    int kind = joint.blank ? 1 : 0;
    if (odds >= HABIT_EVIDENCE) tally.spaced[kind] += 1;
    if (odds <= -HABIT_EVIDENCE) tally.unspaced[kind] += 1;
}

double prior_of(double spaced, double unspaced) {
    double prior = std::log((spaced + 1) / (unspaced + 1));
    return prior > HABIT_LIMIT ? HABIT_LIMIT : (prior < -HABIT_LIMIT ? -HABIT_LIMIT : prior);
}

}  // namespace

void learn_wrap_habit() {
    HabitTally tally{};
    const unsigned char* text = source_text.bytes;
    int64_t length = engine_state.source_length;
    for (int64_t pos = 0; pos < length;) {
        const void* lf = std::memchr(text + pos, '\n', static_cast<size_t>(length - pos));
        if (lf == nullptr) break;
        int64_t at = static_cast<const unsigned char*>(lf) - text;
        int64_t next = next_line_text(at);
        if (next >= 0) tally_joint(tally, next);
        pos = at + 1;
    }
    for (int kind = 0; kind < 2; ++kind)
        book_vocabulary.habit_prior[kind] = prior_of(tally.spaced[kind], tally.unspaced[kind]);
}
