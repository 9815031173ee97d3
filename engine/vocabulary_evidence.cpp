#include "engine/vocabulary_evidence.h"

#include <cmath>

#include "engine/engine_state.h"
#include "engine/vocabulary_store.h"

// The weights are those of a logistic fit of the joints of hard-wrapped novels, checked on
// novels left out of the fit; each says how far one kind of count moves the odds.
namespace {

// Added to every count of a word's uses before a ratio is taken, so one sighting is no certainty.
constexpr double COUNT_SMOOTHING = 0.25;
// How many meetings' worth of the book's usual share of spaces a meeting's own counts start from.
constexpr double SHARE_STRENGTH = 0.5;

// Between two syllables: the two characters at the cut, written apart rather than together.
constexpr double PAIR_WEIGHT = 0.94;
// The last syllable before the cut standing apart from a following syllable.
constexpr double WORD_END_WEIGHT = 0.51;
// The first syllable after the cut standing apart from a preceding syllable.
constexpr double WORD_START_WEIGHT = 0.29;
// The two syllables after the cut beginning a word rather than going on inside one.
constexpr double TWO_SYLLABLE_START_WEIGHT = 0.52;
// The run before the cut as a word of its own rather than the beginning of a longer word.
constexpr double BEFORE_WORD_WEIGHT = 0.64;
// The run after the cut beginning a word rather than ending a longer one.
constexpr double AFTER_WORD_WEIGHT = 0.535;
// A wrap cuts at a space more often than a space stands between two syllables of the text.
constexpr double SYLLABLE_CUT_BIAS = 1.04;
// The wrap habit, a log-odds learnt from the book's clearest joints, understates itself.
constexpr double SYLLABLE_HABIT_WEIGHT = 2.03;

// Where a mark stands at the cut: the two characters written apart rather than together.
constexpr double MARK_PAIR_WEIGHT = 1.75;
// The character before the cut standing apart from a following syllable.
constexpr double MARK_END_WEIGHT = 1.275;
// The character after the cut standing apart from a preceding syllable.
constexpr double MARK_START_WEIGHT = 0.975;
// Marks such as full stops and commas are mostly followed by a space.
constexpr double MARK_CUT_BIAS = 1.42;
// The wrap habit weighs less where a mark already tells where the words part.
constexpr double MARK_HABIT_WEIGHT = 1.04;

// Counts below this have their logarithms looked up: every joint takes six of them.
constexpr uint64_t LOGGED_COUNTS = 1024;

// log(count + offset) for the small counts, the offsets being the smoothing and the book's share.
struct CountLogs {
    bool smoothed_ready = false;
    double smoothed[LOGGED_COUNTS];
    double share = -1.0;
    double apart[LOGGED_COUNTS];
    double together[LOGGED_COUNTS];
};

CountLogs logs;

void fill_logs(double* table, double offset) {
    for (uint64_t n = 0; n < LOGGED_COUNTS; ++n) table[n] = std::log(static_cast<double>(n) + offset);
}

double count_log(uint64_t count, double offset, const double* table) {
    return count < LOGGED_COUNTS ? table[count] : std::log(static_cast<double>(count) + offset);
}

double apart_ratio(uint64_t together, uint64_t apart) {
    if (!logs.smoothed_ready) fill_logs(logs.smoothed, COUNT_SMOOTHING);
    logs.smoothed_ready = true;
    return count_log(apart, COUNT_SMOOTHING, logs.smoothed) - count_log(together, COUNT_SMOOTHING, logs.smoothed);
}

double apart_ratio(const PairCounts& c) { return apart_ratio(c.together, c.apart); }

// How much more often than the book's syllables in general a meeting is written apart: 0 for a
// meeting the book never shows, and only slowly more for one it shows once or twice.
double share_ratio(const PairCounts& c) {
    const SpaceShare& usual = book_vocabulary.space_share;
    double apart_offset = SHARE_STRENGTH * usual.share;
    double together_offset = SHARE_STRENGTH * (1.0 - usual.share);
    if (logs.share != usual.share) {
        fill_logs(logs.apart, apart_offset);
        fill_logs(logs.together, together_offset);
        logs.share = usual.share;
    }
    return count_log(c.apart, apart_offset, logs.apart) - count_log(c.together, together_offset, logs.together) -
           usual.log_odds;
}

// The counts a joint is judged by, all 0 where the book never shows the pieces.
struct JointCounts {
    PairCounts pair;
    PairCounts word_end;     // the last character before a syllable
    PairCounts word_start;   // the first character after a syllable
    PairCounts two_start;    // the first two syllables after a syllable
    WordCounts before;
    WordCounts after;
};

WordCounts counts_of(const SyllableRun& run) {
    return word_table_find(book_vocabulary.words, source_text.bytes + run.start, static_cast<size_t>(run.length));
}

bool between_syllables(const JointSides& joint) { return joint.last.syllable && joint.first.syllable; }

// Both runs must be short enough to be words for the book's words to speak about them.
bool words_apply(const JointSides& joint) {
    return between_syllables(joint) && joint.before.length <= MAX_WORD_BYTES && joint.after.length <= MAX_WORD_BYTES;
}

PairCounts two_syllable_start(const JointSides& joint) {
    if (!between_syllables(joint) || joint.after.length < 4) return PairCounts{0, 0};
    SourceChar second = source_char_at(joint.after.start + 2);
    return pair_table_find(book_vocabulary.word_starts, pair_key(joint.first.code, second.code));
}

JointCounts counts_at(const JointSides& joint) {
    const BookVocabulary& v = book_vocabulary;
    JointCounts c{};
    c.pair = pair_table_find(v.pairs, pair_key(joint.last.code, joint.first.code));
    if (joint.first.syllable) c.word_end = margin_before_syllable(v.margins, joint.last.code);
    if (joint.last.syllable) c.word_start = margin_after_syllable(v.margins, joint.first.code);
    c.two_start = two_syllable_start(joint);
    if (words_apply(joint)) {
        c.before = counts_of(joint.before);
        c.after = counts_of(joint.after);
    }
    return c;
}

bool any_count(const JointCounts& c) {
    uint64_t sum = uint64_t{c.pair.together} + c.pair.apart + c.word_end.together + c.word_end.apart +
                   c.word_start.together + c.word_start.apart + c.two_start.together + c.two_start.apart +
                   c.before.whole + c.before.beginning + c.after.whole + c.after.beginning + c.after.ending;
    return sum != 0;
}

double syllable_cut_odds(const JointSides& joint, const JointCounts& c) {
    double odds = PAIR_WEIGHT * share_ratio(c.pair) + WORD_END_WEIGHT * share_ratio(c.word_end) +
                  WORD_START_WEIGHT * share_ratio(c.word_start) + TWO_SYLLABLE_START_WEIGHT * share_ratio(c.two_start);
    if (words_apply(joint))
        odds += BEFORE_WORD_WEIGHT * apart_ratio(c.before.beginning, c.before.whole) +
                AFTER_WORD_WEIGHT * apart_ratio(c.after.ending, uint64_t{c.after.whole} + c.after.beginning);
    return odds;
}

double mark_cut_odds(const JointSides& joint, const JointCounts& c) {
    double odds = MARK_PAIR_WEIGHT * apart_ratio(c.pair);
    if (joint.first.syllable) odds += MARK_END_WEIGHT * apart_ratio(c.word_end);
    if (joint.last.syllable) odds += MARK_START_WEIGHT * apart_ratio(c.word_start);
    return odds;
}

double evidence_from(const JointSides& joint, const JointCounts& c) {
    return between_syllables(joint) ? syllable_cut_odds(joint, c) : mark_cut_odds(joint, c);
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
    return any_count(c) ? evidence_from(joint, c) : 0.0;
}

double joint_space_odds(const JointSides& joint) {
    bool syllables = between_syllables(joint);
    double habit_weight = syllables ? SYLLABLE_HABIT_WEIGHT : MARK_HABIT_WEIGHT;
    double habit = habit_weight * book_vocabulary.habit_prior[joint.blank ? 1 : 0];
    JointCounts c = counts_at(joint);
    if (!any_count(c)) return habit;
    return evidence_from(joint, c) + habit + (syllables ? SYLLABLE_CUT_BIAS : MARK_CUT_BIAS);
}
