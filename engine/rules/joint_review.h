#pragma once

namespace tessaline {

struct Conversion;

// Takes a space that ends a joined line away again before a particle, an ending or a short closing word.
void review_joint_space(Conversion& cv);

}  // namespace tessaline
