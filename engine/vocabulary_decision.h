#pragma once

#include "engine/vocabulary_dictionary.h"
#include "engine/vocabulary_evidence.h"

// How the word rules left a joint before the book's evidence is weighed.
enum class RulesJoint {
    SPACED,           // a space stands at the joint
    SPACE_TAKEN_BACK, // a rule put a space there and the review took it back
    NO_SPACE,         // no rule put a space there
};

// Log-odds that a space belongs at the joint, above 0 for a space: the rules' decision, the book's
// evidence and, when the conversion asks a dictionary, the dictionary's reading.
double joint_space_odds(RulesJoint rules, const JointWords& joint, const BookEvidence& book,
                        const DictionaryReading& dictionary, bool dictionary_in_use);
