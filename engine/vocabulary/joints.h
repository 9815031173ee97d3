#pragma once

namespace tessaline {

struct Conversion;

// The vocabulary mode's spacing evidence: gathered beforehand from the inside of the source
// text's lines, then used at each joint to confirm or overturn the joint rules where it is strong.
void apply_vocabulary_evidence(Conversion& cv);

}  // namespace tessaline
