#pragma once

#include "engine/vocabulary/dictionary.h"
#include "engine/vocabulary/evidence.h"

namespace tessaline {

// How the word rules left a joint before the book's evidence is weighed.
enum class RulesJoint {
    SPACED,            // a space stands at the joint
    SPACE_TAKEN_BACK,  // a rule put a space there and the review took it back
    NO_SPACE,          // no rule put a space there
};

// Log-odds that a space belongs at the joint, above 0 for a space, by the rules' decision and the
// book's evidence, weighed as fitted with or without a dictionary at hand.
double joint_space_odds(RulesJoint rules, const JointWords& joint, const BookEvidence& book, bool dictionary_in_use);

// How far past 0 the odds must go against the rules' decision to overrule it: clearly so in a short
// text, whose evidence is thin, and hardly at all in a long book.
double overruling_margin(const BookVocabulary& book);

// How far the dictionary's reading moves those odds, 0 where it was not consulted.
double dictionary_odds(const DictionaryReading& dictionary, const JointWords& joint);

// Whether some reading of the dictionary could carry `odds` across 0; where none could, the
// dictionary need not be asked.
bool dictionary_may_turn(double odds);

}  // namespace tessaline
