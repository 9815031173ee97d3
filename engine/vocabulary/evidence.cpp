#include "engine/vocabulary/evidence.h"

#include <cmath>

namespace tessaline {

// The weights below sum the evidence into one figure for learning the book's wrap habit from its
// clearest joints; they are those of a logistic fit of the joints of hard-wrapped novels, each
// saying how far one kind of count moves the odds.
namespace {

// Added to every count of a word's uses before a ratio is taken, so one sighting is no certainty.
constexpr double count_smoothing = 0.25;
// How many meetings' worth of the book's usual share of spaces a meeting's own counts start from.
constexpr double share_strength = 0.5;

// Between two syllables: the two characters at the cut, written apart rather than together.
constexpr double pair_weight = 0.94;
// The last syllable before the cut standing apart from a following syllable.
constexpr double word_end_weight = 0.51;
// The first syllable after the cut standing apart from a preceding syllable.
constexpr double word_start_weight = 0.29;
// The two syllables after the cut beginning a word rather than going on inside one.
constexpr double two_syllable_start_weight = 0.52;
// The run before the cut as a word of its own rather than the beginning of a longer word.
constexpr double before_word_weight = 0.64;
// The run after the cut beginning a word rather than ending a longer one.
constexpr double after_word_weight = 0.535;

// Where a mark stands at the cut: the two characters written apart rather than together.
constexpr double mark_pair_weight = 1.75;
// The character before the cut standing apart from a following syllable.
constexpr double mark_end_weight = 1.275;
// The character after the cut standing apart from a preceding syllable.
constexpr double mark_start_weight = 0.975;

void fill_logs(std::vector<double>& table, double offset) {
    table.resize(logged_counts);
    for (uint64_t n = 0; n < logged_counts; ++n) table[n] = std::log(static_cast<double>(n) + offset);
}

double count_log(uint64_t count, double offset, const std::vector<double>& table) {
    return count < logged_counts ? table[count] : std::log(static_cast<double>(count) + offset);
}

double apart_ratio(const CountLogs& logs, uint64_t together, uint64_t apart) {
    return count_log(apart, count_smoothing, logs.smoothed) - count_log(together, count_smoothing, logs.smoothed);
}

double apart_ratio(const CountLogs& logs, const PairCounts& c) { return apart_ratio(logs, c.together, c.apart); }

double apart_offset(const SpaceShare& usual) { return share_strength * usual.share; }
double together_offset(const SpaceShare& usual) { return share_strength * (1.0 - usual.share); }

// How much more often than the book's syllables in general a meeting is written apart: 0 for a
// meeting the book never shows, and only slowly more for one it shows once or twice.
double share_ratio(const BookVocabulary& v, const PairCounts& c) {
    const SpaceShare& usual = v.space_share;
    return count_log(c.apart, apart_offset(usual), v.logs.apart) -
           count_log(c.together, together_offset(usual), v.logs.together) - usual.log_odds;
}

// The counts a joint is judged by, all 0 where the book never shows the pieces.
struct JointCounts {
    PairCounts pair;
    PairCounts word_end;    // the last character before a syllable
    PairCounts word_start;  // the first character after a syllable
    PairCounts two_start;   // the first two syllables after a syllable
    WordCounts before;
    WordCounts after;
};

// Both runs must be short enough to be words for the book's words to speak about them.
bool words_apply(const JointWords& joint) {
    return between_syllables(joint) && joint.before_length <= max_word_bytes && joint.after_length <= max_word_bytes;
}

PairCounts two_syllable_start(const BookVocabulary& v, const JointWords& joint) {
    if (!between_syllables(joint) || joint.after_length < 4) return PairCounts{0, 0};
    return pair_table_find(v.word_starts, pair_key(joint.first_code, joint.second_code));
}

// The lookups of one joint go to four places in memory; all four are asked for before any is read.
JointCounts counts_at(const BookVocabulary& v, const JointWords& joint) {
    bool words = words_apply(joint);
    WordKey before = word_key(joint.before, words ? joint.before_length : 0);
    WordKey after = word_key(joint.after, words ? joint.after_length : 0);
    pair_table_prefetch(v.pairs, pair_key(joint.last_code, joint.first_code));
    if (between_syllables(joint) && joint.after_length >= 4)
        pair_table_prefetch(v.word_starts, pair_key(joint.first_code, joint.second_code));
    word_table_prefetch(v.words, before);
    word_table_prefetch(v.words, after);
    JointCounts c{};
    c.pair = pair_table_find(v.pairs, pair_key(joint.last_code, joint.first_code));
    if (joint.first_syllable) c.word_end = margin_before_syllable(v.margins, joint.last_code);
    if (joint.last_syllable) c.word_start = margin_after_syllable(v.margins, joint.first_code);
    c.two_start = two_syllable_start(v, joint);
    c.before = word_table_find(v.words, before);
    c.after = word_table_find(v.words, after);
    return c;
}

bool any_count(const JointCounts& c) {
    uint64_t sum = uint64_t{c.pair.together} + c.pair.apart + c.word_end.together + c.word_end.apart +
                   c.word_start.together + c.word_start.apart + c.two_start.together + c.two_start.apart +
                   c.before.whole + c.before.beginning + c.after.whole + c.after.beginning + c.after.ending;
    return sum != 0;
}

double syllable_cut_odds(const BookVocabulary& v, const JointWords& joint, const JointCounts& c) {
    double odds = pair_weight * share_ratio(v, c.pair) + word_end_weight * share_ratio(v, c.word_end) +
                  word_start_weight * share_ratio(v, c.word_start) +
                  two_syllable_start_weight * share_ratio(v, c.two_start);
    if (words_apply(joint))
        odds += before_word_weight * apart_ratio(v.logs, c.before.beginning, c.before.whole) +
                after_word_weight * apart_ratio(v.logs, c.after.ending, uint64_t{c.after.whole} + c.after.beginning);
    return odds;
}

double mark_cut_odds(const BookVocabulary& v, const JointWords& joint, const JointCounts& c) {
    double odds = mark_pair_weight * apart_ratio(v.logs, c.pair);
    if (joint.first_syllable) odds += mark_end_weight * apart_ratio(v.logs, c.word_end);
    if (joint.last_syllable) odds += mark_start_weight * apart_ratio(v.logs, c.word_start);
    return odds;
}

double evidence_from(const BookVocabulary& v, const JointWords& joint, const JointCounts& c) {
    return between_syllables(joint) ? syllable_cut_odds(v, joint, c) : mark_cut_odds(v, joint, c);
}

// A run's length as the evidence counts it: a run too long to be a word needs no exact length.
uint8_t counted_length(int64_t length) {
    return static_cast<uint8_t>(length <= max_word_bytes ? length : max_word_bytes + 1);
}

}  // namespace

JointSides joint_sides(const TextWindow& text, int64_t next_text) {
    JointSides joint{};
    // Across a line of blanks the walk stops where the window begins: such a line holds no text
    // the evidence could change.
    int64_t end = next_text;
    while (end > text.base() && is_blank_byte(text.at(end - 1))) {
        unsigned char b = text.at(end - 1);
        if (b == ' ' || b == '\t') joint.blank = true;
        --end;
    }
    joint.last = source_char_ending_at(text, end, &joint.before);
    joint.first = source_char_at(text, next_text);
    joint.after = joint.first.syllable ? source_run_starting_at(text, next_text) : SyllableRun{next_text, 0};
    return joint;
}

JointWords joint_words(const TextWindow& text, const JointSides& joint) {
    JointWords words{};
    words.last_code = joint.last.code;
    words.first_code = joint.first.code;
    words.last_syllable = joint.last.syllable;
    words.first_syllable = joint.first.syllable;
    words.blank = joint.blank;
    words.before_length = counted_length(joint.before.length);
    words.after_length = counted_length(joint.after.length);
    if (!between_syllables(words)) return words;
    if (joint.after.length >= 4) words.second_code = source_char_at(text, joint.after.start + 2).code;
    if (words_apply(words)) {
        for (int64_t k = 0; k < joint.before.length; ++k) words.before[k] = text.at(joint.before.start + k);
        for (int64_t k = 0; k < joint.after.length; ++k) words.after[k] = text.at(joint.after.start + k);
    }
    return words;
}

void prepare_count_logs(BookVocabulary& v) {
    fill_logs(v.logs.smoothed, count_smoothing);
    fill_logs(v.logs.apart, apart_offset(v.space_share));
    fill_logs(v.logs.together, together_offset(v.space_share));
}

double joint_space_evidence(const BookVocabulary& v, const JointWords& joint) {
    JointCounts c = counts_at(v, joint);
    return any_count(c) ? evidence_from(v, joint, c) : 0.0;
}

BookEvidence book_evidence(const BookVocabulary& v, const JointWords& joint) {
    JointCounts c = counts_at(v, joint);
    BookEvidence e{};
    e.habit = v.habit_prior[joint.blank ? 1 : 0];
    e.any = any_count(c);
    if (!between_syllables(joint)) {
        e.pair = apart_ratio(v.logs, c.pair);
        if (joint.first_syllable) e.word_end = apart_ratio(v.logs, c.word_end);
        if (joint.last_syllable) e.word_start = apart_ratio(v.logs, c.word_start);
        return e;
    }
    e.pair = share_ratio(v, c.pair);
    e.word_end = share_ratio(v, c.word_end);
    e.word_start = share_ratio(v, c.word_start);
    e.two_start = share_ratio(v, c.two_start);
    if (words_apply(joint)) {
        e.before_word = apart_ratio(v.logs, c.before.beginning, c.before.whole);
        e.after_word = apart_ratio(v.logs, c.after.ending, uint64_t{c.after.whole} + c.after.beginning);
    }
    return e;
}

}  // namespace tessaline
