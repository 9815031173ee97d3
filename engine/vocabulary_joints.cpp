#include "engine/vocabulary_joints.h"

#include "engine/engine_state.h"
#include "engine/vocabulary_evidence.h"
#include "engine/vocabulary_store.h"

namespace {

// Within this distance of even odds the book's evidence is too weak to overrule the joint rules.
constexpr double DECISION_MARGIN = 0.75;
// Where a mark stands at the cut only its pairs speak, and the rules know marks well.
constexpr double MARK_DECISION_MARGIN = 1.5;
const char JOIN_MARK = '`';

// The joint as the line buffer holds it: where the line's own text ends, and whether a space
// follows it (the text's own, or the one the rules put after the join mark).
struct BufferJoint {
    int64_t text_end;
    bool spaced;
};

bool locate_joint(BufferJoint& joint) {
    int64_t end = engine_state.line_len;
    joint.spaced = false;
    if (line_byte(end - 1) == ' ') {
        joint.spaced = true;
        --end;
    }
    if (engine_state.mark_offset == 1) {
        if (line_byte(end - 1) != JOIN_MARK) return false;
        --end;
    }
    while (line_byte(end - 1) == ' ') {
        joint.spaced = true;
        --end;
    }
    joint.text_end = end;
    return true;
}

// The evidence speaks about the source's joint; it is used only when the line buffer still ends
// in the same character (not, say, in a line break the join decision appended).
bool same_last_char(const BufferJoint& joint, const SourceChar& last) {
    for (int64_t k = 1; k <= last.width; ++k)
        if (line_byte(joint.text_end - k) != source_byte(last.start + last.width - k)) return false;
    return true;
}

void rebuild_joint(const BufferJoint& joint, bool spaced) {
    line_truncate(static_cast<int32_t>(joint.text_end));
    if (engine_state.mark_offset == 1) line_append(&JOIN_MARK, 1);
    if (spaced) line_append(" ", 1);
}

}  // namespace

void apply_vocabulary_evidence() {
    if (engine_state.next_start >= engine_state.source_length) return;  // no next line to meet
    JointSides sides = joint_sides(engine_state.next_start);
    if (sides.last.width == 0 || sides.first.width == 0) return;
    double odds = joint_space_evidence(sides) + book_vocabulary.habit_prior[sides.blank ? 1 : 0];
    double margin = sides.last.syllable && sides.first.syllable ? DECISION_MARGIN : MARK_DECISION_MARGIN;
    if (odds > -margin && odds < margin) return;
    BufferJoint joint{};
    if (!locate_joint(joint) || !same_last_char(joint, sides.last)) return;
    bool spaced = odds > 0;
    if (spaced != joint.spaced) rebuild_joint(joint, spaced);
}
