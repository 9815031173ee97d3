#include "engine/vocabulary_habit.h"

#include <cmath>
#include <cstring>

#include "engine/vocabulary_evidence.h"
#include "engine/vocabulary_lines.h"
#include "engine/vocabulary_store.h"

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

struct LineEndSurvey {
    double spaced[2];           // clear joints without / with a blank at the cut, by evidence
    double unspaced[2];
    double cut_lines;           // lines ending in a syllable, cut by the wrap inside a sentence
    double cut_lines_marked;    // ... followed by an indented line or an empty line
    double sentence_ends;       // lines ending in a sentence-final mark
    double sentence_ends_marked;
    double sentence_ends_blank; // ... with a blank after the mark
};

void tally_joint(const BookVocabulary& v, LineEndSurvey& survey, const JointWords& joint) {
    double clear = survey.spaced[0] + survey.spaced[1] + survey.unspaced[0] + survey.unspaced[1];
    if (clear >= HABIT_SAMPLE || !joint.last_syllable || !joint.first_syllable) return;
    double odds = joint_space_evidence(v, joint);
    int kind = joint.blank ? 1 : 0;
    if (odds >= HABIT_EVIDENCE) survey.spaced[kind] += 1;
    if (odds <= -HABIT_EVIDENCE) survey.unspaced[kind] += 1;
}

void survey_line_end(const BookVocabulary& v, LineEndSurvey& survey, const TextWindow& text, int64_t lf) {
    int64_t next = lf + 1;
    if (line_text_end(text, lf) < 0 || text.at(next) == 0) return;
    bool marked = starts_paragraph(text, next);
    JointSides joint = joint_sides(text, next_line_text(text, next));
    if (joint.last.syllable) {
        survey.cut_lines += 1;
        survey.cut_lines_marked += marked;
        if (!marked) tally_joint(v, survey, joint_words(text, joint));
    } else if (ends_sentence(joint.last)) {
        survey.sentence_ends += 1;
        survey.sentence_ends_marked += marked;
        survey.sentence_ends_blank += line_ends_in_blank(text, lf);
    }
}

double prior_of(double spaced, double unspaced) {
    double prior = std::log((spaced + HABIT_PSEUDO_COUNT) / (unspaced + HABIT_PSEUDO_COUNT));
    return prior > HABIT_LIMIT ? HABIT_LIMIT : (prior < -HABIT_LIMIT ? -HABIT_LIMIT : prior);
}

void conclude(BookVocabulary& v, const LineEndSurvey& survey) {
    for (int kind = 0; kind < 2; ++kind) v.habit_prior[kind] = prior_of(survey.spaced[kind], survey.unspaced[kind]);
    bool enough = survey.sentence_ends >= MIN_SENTENCE_ENDS && survey.cut_lines >= MIN_CUT_LINES;
    v.paragraphs_marked = enough && survey.sentence_ends_marked >= MARKED_AFTER_SENTENCE * survey.sentence_ends &&
                          survey.cut_lines_marked <= MARKED_AFTER_CUT * survey.cut_lines;
    v.blanks_are_spaces = enough && v.habit_prior[1] >= BLANK_HABIT && v.habit_prior[0] <= -BLANK_HABIT &&
                          survey.sentence_ends_blank < BLANK_AFTER_SENTENCE * survey.sentence_ends;
}

}  // namespace

void learn_wrap_habit(BookVocabulary& v, const TextWindow& source, int64_t line_stride) {
    LineEndSurvey survey{};
    const unsigned char* text = source.pointer(0);
    int64_t length = source.end();
    int64_t line = 0;
    for (int64_t pos = 0; pos < length; ++line) {
        const void* lf = std::memchr(text + pos, '\n', static_cast<size_t>(length - pos));
        if (lf == nullptr) break;
        int64_t at = static_cast<const unsigned char*>(lf) - text;
        if (line % line_stride == 0) survey_line_end(v, survey, source, at);
        pos = at + 1;
    }
    conclude(v, survey);
}
