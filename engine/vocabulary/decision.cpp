#include "engine/vocabulary/decision.h"

namespace tessaline {

// The weights are those of a logistic fit of the joints of hard-wrapped novels and of short texts
// cut from them, checked on novels left out of the fit. Where the book shows nothing, the
// rules' decision outweighs the lean of the rest, so thin evidence never overrules the rules.
namespace {

// How far each piece of evidence moves the odds at a joint between two syllables.
struct SyllableWeights {
    double lean;              // the odds before any evidence
    double rules_spaced;      // a space the rules put or kept
    double rules_taken_back;  // a space the review took back: a particle or an ending follows
    double pair;              // the two syllables at the cut written apart in the book
    double word_end;          // the syllable before the cut ending words in the book
    double word_start;        // the syllable after the cut beginning words
    double two_start;         // the two syllables after the cut beginning words
    double before_word;       // the run before the cut a word of its own in the book
    double after_word;        // the run after the cut beginning words in the book
    double habit;             // the book's wrap habit
    double any;               // the book shows some of the pieces
};

// ... and of the dictionary, where it was consulted.
struct DictionaryWeights {
    double consulted;       // the odds move once the runs are known to be Hangul words or not
    double fused_word;      // the runs written together make a word
    double fused_of_words;  // ... and each run is a word too, as compounds are
    double before_word;     // the run before the cut is a word, the runs together are none
    double after_word;      // the run after the cut is a word, the runs together are none
    double after_single;    // ... and the run after the cut is one syllable, mostly a particle
    double before_single;   // ... and the run before the cut is one syllable
};

// Where a mark stands at the cut.
struct MarkWeights {
    double lean;
    double rules_spaced;
    double rules_taken_back;
    double pair;        // the two characters at the cut written apart in the book
    double word_end;    // the character before the cut standing apart from syllables
    double word_start;  // the character after the cut standing apart from syllables
    double habit;
};

// Fitted with the dictionary's readings at hand.
constexpr SyllableWeights with_dictionary{-0.38, 2.16, -0.74, 1.00, 0.10, 0.35, 0.49, 0.32, 0.33, 2.09, 0.17};
constexpr DictionaryWeights DICTIONARY{-0.38, -5.43, 3.83, 1.99, 1.93, -1.34, -1.15};
// Fitted without a dictionary, for texts too long to ask one about and for runs without one.
constexpr SyllableWeights book_only{-0.49, 3.37, -0.42, 0.99, 0.21, 0.41, 0.61, 0.42, 0.40, 1.90, 0.30};
constexpr MarkWeights marks{0.78, 2.79, -1.12, 2.63, 1.51, 1.96, 2.03};

// The margin a text without syllable meetings sets against overruling the rules; the fit of the
// weights leans on long books, and in short texts it overruled the rules wrongly too often.
constexpr double thin_text_margin = 1.0;
// The margin falls with the square of the text's meetings of two syllables against this many: to
// a quarter at as many (about 1,000 characters of prose), to next to nothing in a novel.
constexpr double margin_meetings = 700;

double rules_odds(RulesJoint rules, double spaced, double taken_back) {
    return rules == RulesJoint::SPACED ? spaced : rules == RulesJoint::SPACE_TAKEN_BACK ? taken_back : 0.0;
}

// The furthest a reading moves the odds towards a space (both runs words, neither one syllable)
// and against one (the runs together a word, neither alone).
constexpr double most_for_space = DICTIONARY.consulted + DICTIONARY.before_word + DICTIONARY.after_word;
constexpr double most_against_space = DICTIONARY.consulted + DICTIONARY.fused_word;
static_assert(DICTIONARY.fused_of_words > 0 && DICTIONARY.after_single < 0 && DICTIONARY.before_single < 0,
              "the bounds above assume these signs");

double syllable_odds(RulesJoint rules, const BookEvidence& e, bool dictionary_in_use) {
    const SyllableWeights& w = dictionary_in_use ? with_dictionary : book_only;
    return w.lean + rules_odds(rules, w.rules_spaced, w.rules_taken_back) + w.pair * e.pair + w.word_end * e.word_end +
           w.word_start * e.word_start + w.two_start * e.two_start + w.before_word * e.before_word +
           w.after_word * e.after_word + w.habit * e.habit + (e.any ? w.any : 0.0);
}

double mark_odds(RulesJoint rules, const BookEvidence& e) {
    const MarkWeights& w = marks;
    return w.lean + rules_odds(rules, w.rules_spaced, w.rules_taken_back) + w.pair * e.pair + w.word_end * e.word_end +
           w.word_start * e.word_start + w.habit * e.habit;
}

}  // namespace

double joint_space_odds(RulesJoint rules, const JointWords& joint, const BookEvidence& book, bool dictionary_in_use) {
    return between_syllables(joint) ? syllable_odds(rules, book, dictionary_in_use) : mark_odds(rules, book);
}

double overruling_margin(const BookVocabulary& book) {
    double meetings = static_cast<double>(book.syllable_gaps.together) + book.syllable_gaps.apart;
    double thinness = margin_meetings / (meetings + margin_meetings);
    return thin_text_margin * thinness * thinness;
}

double dictionary_odds(const DictionaryReading& d, const JointWords& joint) {
    if (!d.consulted) return 0.0;
    const DictionaryWeights& w = DICTIONARY;
    if (d.fused_word) return w.consulted + w.fused_word + (d.before_word && d.after_word ? w.fused_of_words : 0.0);
    return w.consulted + (d.before_word ? w.before_word : 0.0) + (d.after_word ? w.after_word : 0.0) +
           (joint.after_length == 2 ? w.after_single : 0.0) + (joint.before_length == 2 ? w.before_single : 0.0);
}

bool dictionary_may_turn(double odds) { return odds > 0 ? odds + most_against_space < 0 : odds + most_for_space > 0; }

}  // namespace tessaline
