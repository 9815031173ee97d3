#include "engine/vocabulary_joints.h"

#include "engine/engine_state.h"
#include "engine/vocabulary_evidence.h"

namespace {

// Odds the book's evidence must pass to add a space the rules left out: when no rule fires the
// rules leave none, so their "no space" is the weaker word; still above the lean of cuts
// towards spaces, which alone decides nothing.
constexpr double ADD_SPACE_ODDS = 1.25;
// Odds against a space the evidence must pass to take away a space a rule put there.
constexpr double DROP_SPACE_ODDS = 2.0;
// Where a mark stands at the cut the rules decide nothing about it, either way.
constexpr double MARK_DECISION_ODDS = 1.0;
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
    BufferJoint joint{};
    if (!locate_joint(joint) || !same_last_char(joint, sides.last)) return;
    double odds = joint_space_odds(sides);
    bool syllables = sides.last.syllable && sides.first.syllable;
    double needed = !syllables ? MARK_DECISION_ODDS : joint.spaced ? DROP_SPACE_ODDS : ADD_SPACE_ODDS;
    if (joint.spaced ? odds < -needed : odds > needed) rebuild_joint(joint, !joint.spaced);
}
