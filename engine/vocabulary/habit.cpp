#include "engine/vocabulary/habit.h"

#include <cmath>

#include "engine/vocabulary/evidence.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/store.h"

namespace tessaline {

namespace {

// Only joints the words and syllables decide this clearly tell the habit apart from the text.
constexpr double habit_evidence = 2.0;
// This many clear joints settle the habit; a long book need not weigh every one of its joints.
constexpr double habit_sample = 4000;
// A habit seen in every clear joint still leaves room for a word the book spells both ways.
constexpr double habit_limit = 6.0;
// Added to both sides of the tally, so that the few clear joints of a short text make no habit.
constexpr double habit_pseudo_count = 3.0;
// A blank at the cut is the author's space when the clear joints say so this firmly both ways.
constexpr double blank_habit = 2.0;
// Fewer sentence-ending lines than this say nothing about how the book marks its paragraphs.
constexpr double min_sentence_ends = 20;
// Fewer lines cut inside a sentence than this, and the book was not wrapped at all: its lines
// are its paragraphs, whatever follows them.
constexpr double min_cut_lines = 20;
// Paragraphs are marked when at least this share of sentence-ending lines is followed by a mark...
constexpr double marked_after_sentence = 0.5;
// ...and at most this share of the lines that stop inside a sentence, where the wrap cut.
constexpr double marked_after_cut = 0.05;
// Blanks after sentence ends are the wrap's only when paragraphs' own last lines mostly lack them.
constexpr double blank_after_sentence = 0.5;

// The clear joints, without and with a blank at the cut, by the evidence.
struct ClearJoints {
    double spaced[2];
    double unspaced[2];
};

void tally_joint(const BookVocabulary& v, ClearJoints& clear_joints, const JointWords& joint) {
    double clear =
        clear_joints.spaced[0] + clear_joints.spaced[1] + clear_joints.unspaced[0] + clear_joints.unspaced[1];
    if (clear >= habit_sample || !joint.last_syllable || !joint.first_syllable) return;
    double odds = joint_space_evidence(v, joint);
    int kind = joint.blank ? 1 : 0;
    if (odds >= habit_evidence) clear_joints.spaced[kind] += 1;
    if (odds <= -habit_evidence) clear_joints.unspaced[kind] += 1;
}

double prior_of(double spaced, double unspaced) {
    double prior = std::log((spaced + habit_pseudo_count) / (unspaced + habit_pseudo_count));
    return prior > habit_limit ? habit_limit : (prior < -habit_limit ? -habit_limit : prior);
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
    bool enough = sentence_ends_ >= min_sentence_ends && cut_lines_ >= min_cut_lines;
    v.paragraphs_marked = enough && sentence_ends_marked_ >= marked_after_sentence * sentence_ends_ &&
                          cut_lines_marked_ <= marked_after_cut * cut_lines_;
    v.blanks_are_spaces = enough && v.habit_prior[1] >= blank_habit && v.habit_prior[0] <= -blank_habit &&
                          sentence_ends_blank_ < blank_after_sentence * sentence_ends_;
}

}  // namespace tessaline
