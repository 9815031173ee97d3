#include "engine/vocabulary_joints.h"

#include "engine/engine_state.h"
#include "engine/vocabulary_evidence.h"
#include "engine/vocabulary_store.h"

namespace {

// Within this distance of even odds the book's evidence is too weak to overrule the joint rules.
constexpr double DECISION_MARGIN = 1.5;
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
// in the same syllable (not, say, in a line break the join decision appended).
bool same_last_syllable(const BufferJoint& joint, const SyllableRun& before) {
    int64_t last = before.start + before.length - 2;
    return line_byte(joint.text_end - 2) == source_byte(last) && line_byte(joint.text_end - 1) == source_byte(last + 1);
}

void rebuild_joint(const BufferJoint& joint, bool spaced) {
    line_truncate(static_cast<int32_t>(joint.text_end));
    if (engine_state.mark_offset == 1) line_append(&JOIN_MARK, 1);
    if (spaced) line_append(" ", 1);
}

}  // namespace

void apply_vocabulary_evidence() {
    JointSides sides = joint_sides(engine_state.next_start);
    if (sides.before.length == 0 || sides.after.length == 0) return;
    double odds = joint_space_evidence(sides) + book_vocabulary.habit_prior[sides.blank ? 1 : 0];
    if (odds > -DECISION_MARGIN && odds < DECISION_MARGIN) return;
    BufferJoint joint{};
    if (!locate_joint(joint) || !same_last_syllable(joint, sides.before)) return;
    bool spaced = odds > 0;
    if (spaced != joint.spaced) rebuild_joint(joint, spaced);
}
