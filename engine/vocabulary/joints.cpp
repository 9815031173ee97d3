#include "engine/vocabulary/joints.h"

#include "engine/passes/conversion.h"
#include "engine/text/marks.h"
#include "engine/vocabulary/decision.h"
#include "engine/vocabulary/evidence.h"
#include "engine/vocabulary/readings.h"

namespace tessaline {

namespace {

// The joint as the line holds it: where the line's own text ends, and whether a space
// follows it (the text's own, or the one the rules put after the join mark).
struct BufferJoint {
    int64_t text_end;
    bool spaced;
};

bool locate_joint(const Conversion& cv, BufferJoint& joint) {
    const LineText& line = cv.line;
    int64_t end = line.length;
    joint.spaced = false;
    if (line.at(end - 1) == ' ') {
        joint.spaced = true;
        --end;
    }
    if (cv.place.mark_offset == 1) {
        if (line.at(end - 1) != join_mark) return false;
        --end;
    }
    while (line.at(end - 1) == ' ') {
        joint.spaced = true;
        --end;
    }
    joint.text_end = end;
    return true;
}

// The evidence speaks about the source's joint; it is used only when the line still ends in the
// same character, of `width` bytes from `start` (not, say, in a line break the join decision appended).
bool same_last_char(const Conversion& cv, const BufferJoint& joint, int64_t start, int64_t width) {
    for (int64_t k = 1; k <= width; ++k)
        if (cv.line_byte(joint.text_end - k) != cv.source_byte(start + width - k)) return false;
    return true;
}

void rebuild_joint(Conversion& cv, const BufferJoint& joint, bool spaced) {
    cv.line.truncate(joint.text_end);
    if (cv.place.mark_offset == 1) cv.line.append(&join_mark, 1);
    if (spaced) cv.line.append(" ", 1);
}

// A reading made ahead is of the same joint when its last character lies in the current line:
// the line loop's window then holds every byte the reading read. None is made where a dictionary
// is asked.
const JointReading* reading_ahead(Conversion& cv) {
    if (cv.readings == nullptr || cv.dictionary.in_use()) return nullptr;
    const JointReading* reading = cv.readings->at(cv.place.next_start);
    return reading != nullptr && reading->evidence_read && reading->last_start >= cv.place.line_start ? reading
                                                                                                      : nullptr;
}

// The odds for a space at the joint by the book's evidence, and the dictionary's where it may turn them.
double book_odds(Conversion& cv, const JointSides& sides, RulesJoint rules, double margin) {
    JointWords words = joint_words(cv.source, sides);
    double odds = joint_space_odds(rules, words, book_evidence(cv.vocabulary, words), cv.dictionary.in_use()) + margin;
    if (cv.dictionary.in_use() && dictionary_may_turn(odds)) odds += dictionary_odds(cv.dictionary.read(words), words);
    return odds;
}

}  // namespace

void apply_vocabulary_evidence(Conversion& cv) {
    if (cv.place.next_start >= cv.source_length()) return;  // no next line to meet
    const JointReading* ahead = reading_ahead(cv);
    JointSides sides = ahead != nullptr ? JointSides{} : joint_sides(cv.source, cv.place.next_start);
    int64_t last_start = ahead != nullptr ? ahead->last_start : sides.last.start;
    int64_t last_width = ahead != nullptr ? ahead->last_width : sides.last.width;
    bool meets = ahead != nullptr ? ahead->meets : sides.last.width != 0 && sides.first.width != 0;
    if (!meets) return;
    BufferJoint joint{};
    if (!locate_joint(cv, joint) || !same_last_char(cv, joint, last_start, last_width)) return;
    RulesJoint rules = joint.spaced                ? RulesJoint::SPACED
                       : cv.place.space_added == 1 ? RulesJoint::SPACE_TAKEN_BACK
                                                   : RulesJoint::NO_SPACE;
    // Shifted by the margin the rules' decision keeps, so that the sign of the odds still decides.
    double margin = joint.spaced ? overruling_margin(cv.vocabulary) : -overruling_margin(cv.vocabulary);
    double odds = ahead != nullptr ? ahead->odds[rules_index(rules)] + margin : book_odds(cv, sides, rules, margin);
    if ((odds > 0) != joint.spaced) rebuild_joint(cv, joint, !joint.spaced);
}

}  // namespace tessaline
