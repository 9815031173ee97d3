#include "engine/vocabulary_evidence.h"

#include <cmath>

#include "engine/engine_state.h"
#include "engine/vocabulary_store.h"

namespace {

// Added to every count before a ratio is taken, so that a single sighting is not certainty.
constexpr double COUNT_SMOOTHING = 0.5;
// With no evidence either way a cut between syllables falls before a new word a little more often.
constexpr double SPACE_BIAS = 1.35;
// How far the run before the cut is a word of its own rather than the beginning of a longer word.
constexpr double BEFORE_WORD_WEIGHT = 0.8;
// How far the run after the cut is a word of its own rather than the ending of a longer word.
constexpr double AFTER_WORD_WEIGHT = 0.95;
// How often the two syllables at the cut are written apart rather than together.
constexpr double PAIR_WEIGHT = 1.05;
// How often the last syllable before the cut ends a word, whatever follows.
constexpr double WORD_END_WEIGHT = 0.4;
// How often the first syllable after the cut begins a word, whatever precedes it.
constexpr double WORD_START_WEIGHT = 0.3;

bool is_blank_byte(unsigned char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

double apart_ratio(double together, double apart) {
    return std::log((apart + COUNT_SMOOTHING) / (together + COUNT_SMOOTHING));
}

double word_ratio(const WordCountTable& longer, const SyllableRun& run) {
    const unsigned char* bytes = source_text.bytes + run.start;
    size_t length = static_cast<size_t>(run.length);
    return apart_ratio(word_table_count(longer, bytes, length), word_table_count(book_vocabulary.words, bytes, length));
}

double pair_ratio(uint16_t left, uint16_t right) {
    PairCounts counts = pair_table_find(book_vocabulary.pairs, left, right);
    return apart_ratio(counts.together, counts.apart);
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
    joint.before = source_run_ending_at(end);
    joint.after = source_run_starting_at(next_text);
    return joint;
}

double joint_space_evidence(const JointSides& joint) {
    double odds = SPACE_BIAS;
    if (joint.before.length <= MAX_WORD_BYTES && joint.after.length <= MAX_WORD_BYTES) {
        odds += BEFORE_WORD_WEIGHT * word_ratio(book_vocabulary.beginnings, joint.before);
        odds += AFTER_WORD_WEIGHT * word_ratio(book_vocabulary.endings, joint.after);
    }
    uint16_t last = syllable_code(source_text.bytes + joint.before.start + joint.before.length - 2);
    uint16_t first = syllable_code(source_text.bytes + joint.after.start);
    odds += PAIR_WEIGHT * pair_ratio(last, first);
    odds += WORD_END_WEIGHT * pair_ratio(last, 0);
    odds += WORD_START_WEIGHT * pair_ratio(0, first);
    return odds;
}
