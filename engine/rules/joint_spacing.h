#pragma once

namespace tessaline {

struct Conversion;

// Appends the space at a joint when the line's ending or the next line's opening calls for one.
void decide_joint_space(Conversion& cv);

}  // namespace tessaline
