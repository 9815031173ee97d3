#include "engine/vocabulary/habit.h"

#include <cmath>

#include "engine/vocabulary/evidence.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/store.h"

namespace tessaline {

namespace {

// Only joints the words and syllables decide this clearly tell the habit apart from the text.
constexpr double HABIT_EVIDENCE = 2.0;
// This many clear joints settle the habit; a long book need not weigh every one of its joints.
constexpr double HABIT_SAMPLE = 4000;
// A habit seen in every clear joint still leaves room for a word the book spells both ways.
constexpr double HABIT_LIMIT = 6.0;
// Added to both sides of the tally, so that the few clear joints of a short text make no habit.
constexpr double HABIT_PSEUDO_COUNT = 3.0;
// A blank at the cut is the author's space when the clear joints say so this firmly both ways.
constexpr double BLANK_HABIT = 2.0;
// Fewer sentence-ending lines than this say nothing about how the book marks its paragraphs.
constexpr double MIN_SENTENCE_ENDS = 20;
// Fewer lines cut inside a sentence than this, and the book was not wrapped at all: its lines
// are its paragraphs, whatever follows them.
constexpr double MIN_CUT_LINES = 20;
// Paragraphs are marked when at least this share of sentence-ending lines is followed by a mark...
constexpr double MARKED_AFTER_SENTENCE = 0.5;
// ...and at most this share of the lines that stop inside a sentence, where the wrap cut.
constexpr double MARKED_AFTER_CUT = 0.05;
// Blanks after sentence ends are the wrap's only when paragraphs' own last lines mostly lack them.
constexpr double BLANK_AFTER_SENTENCE = 0.5;

// The clear joints, without and with a blank at the cut, by the evidence.
struct ClearJoints {
    double spaced[2];
    double unspaced[2];
};

void tally_joint(const BookVocabulary& v, ClearJoints& clear_joints, const JointWords& joint) {
    double clear = clear_joints.spaced[0] + clear_joints.spaced[1] + clear_joints.unspaced[0] + clear_joints.unspaced[1];
    if (clear >= HABIT_SAMPLE || !joint.last_syllable || !joint.first_syllable) return;
    double odds = joint_space_evidence(v, joint);
    int kind = joint.blank ? 1 : 0;
    if (odds >= HABIT_EVIDENCE) clear_joints.spaced[kind] += 1;
    if (odds <= -HABIT_EVIDENCE) clear_joints.unspaced[kind] += 1;
}

double prior_of(double spaced, double unspaced) {
    double prior = std::log((spaced + HABIT_PSEUDO_COUNT) / (unspaced + HABIT_PSEUDO_COUNT));
    return prior > HABIT_LIMIT ? HABIT_LIMIT : (prior < -HABIT_LIMIT ? -HABIT_LIMIT : prior);
}

}  // namespace

void WrapHabitSurvey::survey_line_end(const TextWindow& text, int64_t lf) {
    int64_t next = lf + 1;
    if (line_text_end(text, lf) < 0 || text.at(next) == 0) return;
    bool marked = starts_paragraph(text, next);
    JointSides joint = joint_sides(text, next_line_text(text, next));
    if (joint.last.syllable) {
        cut_lines_ += 1;
        cut_lines_marked_ += marked;
        if (!marked && joint.first.syllable) joints_.push_back(joint_words(text, joint));
    } else if (ends_sentence(joint.last)) {
        sentence_ends_ += 1;
        sentence_ends_marked_ += marked;
        sentence_ends_blank_ += line_ends_in_blank(text, lf);
    }
}

void WrapHabitSurvey::conclude(BookVocabulary& v) const {
    ClearJoints clear{};
    for (const JointWords& joint : joints_) tally_joint(v, clear, joint);
    for (int kind = 0; kind < 2; ++kind) v.habit_prior[kind] = prior_of(clear.spaced[kind], clear.unspaced[kind]);
    bool enough = sentence_ends_ >= MIN_SENTENCE_ENDS && cut_lines_ >= MIN_CUT_LINES;
    v.paragraphs_marked = enough && sentence_ends_marked_ >= MARKED_AFTER_SENTENCE * sentence_ends_ &&
                          cut_lines_marked_ <= MARKED_AFTER_CUT * cut_lines_;
    v.blanks_are_spaces = enough && v.habit_prior[1] >= BLANK_HABIT && v.habit_prior[0] <= -BLANK_HABIT &&
                          sentence_ends_blank_ < BLANK_AFTER_SENTENCE * sentence_ends_;
}

}  // namespace tessaline
