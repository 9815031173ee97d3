#include "engine/vocabulary_evidence.h"

#include <cmath>

#include "engine/engine_state.h"
#include "engine/vocabulary_store.h"

namespace {

// Added to every count before a ratio is taken, so that a single sighting is not certainty.
constexpr double COUNT_SMOOTHING = 0.25;
// With no evidence either way a cut between syllables falls before a new word more often.
constexpr double SYLLABLE_CUT_BIAS = 1.65;
// How far the run before the cut is a word of its own rather than the beginning of a longer word.
constexpr double BEFORE_WORD_WEIGHT = 0.8;
// How far the run after the cut is a word of its own rather than the ending of a longer word.
constexpr double AFTER_WORD_WEIGHT = 0.75;
// How often the two characters at the cut are written apart rather than together.
constexpr double PAIR_WEIGHT = 0.85;
// How often the last character before the cut stands apart from a following syllable.
constexpr double WORD_END_WEIGHT = 0.25;
// How often the first character after the cut stands apart from a preceding syllable.
constexpr double WORD_START_WEIGHT = 0.3;

double apart_ratio(double together, double apart) {
    return std::log((apart + COUNT_SMOOTHING) / (together + COUNT_SMOOTHING));
}

// The counts a joint is judged by, all 0 where the book never shows the pieces.
struct JointCounts {
    PairCounts pair;
    PairCounts word_end;     // the last character before a syllable
    PairCounts word_start;   // the first character after a syllable
    WordCounts before;
    WordCounts after;
};

WordCounts counts_of(const SyllableRun& run) {
    return word_table_find(book_vocabulary.words, source_text.bytes + run.start, static_cast<size_t>(run.length));
}

// Both runs must be short enough to be words for the book's words to speak about them.
bool words_apply(const JointSides& joint) {
    return joint.last.syllable && joint.first.syllable && joint.before.length <= MAX_WORD_BYTES &&
           joint.after.length <= MAX_WORD_BYTES;
}

JointCounts counts_at(const JointSides& joint) {
    const CharPairTable& pairs = book_vocabulary.pairs;
    JointCounts c{};
    c.pair = pair_table_find(pairs, joint.last.code, joint.first.code);
    if (joint.first.syllable) c.word_end = pair_table_find(pairs, joint.last.code, 0);
    if (joint.last.syllable) c.word_start = pair_table_find(pairs, 0, joint.first.code);
    if (words_apply(joint)) {
        c.before = counts_of(joint.before);
        c.after = counts_of(joint.after);
    }
    return c;
}

bool any_count(const JointCounts& c) {
    uint64_t sum = uint64_t{c.pair.together} + c.pair.apart + c.word_end.together + c.word_end.apart +
                   c.word_start.together + c.word_start.apart + c.before.whole + c.before.beginning +
                   c.after.whole + c.after.ending;
    return sum != 0;
}

}  // namespace

JointSides joint_sides(int64_t next_text) {
    JointSides joint{};
    int64_t end = next_text;
    while (end > 0 && is_blank_byte(source_byte(end - 1))) {
        unsigned char b = source_byte(end - 1);
        if (b == ' ' || b == '\t') joint.blank = true;
        --end;
    }
    joint.last = source_char_ending_at(end, &joint.before);
    joint.first = source_char_at(next_text);
    joint.after = joint.first.syllable ? source_run_starting_at(next_text) : SyllableRun{next_text, 0};
    return joint;
}

double joint_space_evidence(const JointSides& joint) {
    JointCounts c = counts_at(joint);
    if (!any_count(c)) return 0.0;
    double odds = PAIR_WEIGHT * apart_ratio(c.pair.together, c.pair.apart) +
                  WORD_END_WEIGHT * apart_ratio(c.word_end.together, c.word_end.apart) +
                  WORD_START_WEIGHT * apart_ratio(c.word_start.together, c.word_start.apart);
    if (joint.last.syllable && joint.first.syllable) odds += SYLLABLE_CUT_BIAS;
    if (words_apply(joint))
        odds += BEFORE_WORD_WEIGHT * apart_ratio(c.before.beginning, c.before.whole) +
                AFTER_WORD_WEIGHT * apart_ratio(c.after.ending, c.after.whole);
    return odds;
}
