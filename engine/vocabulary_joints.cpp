#include "engine/vocabulary_joints.h"

void gather_vocabulary() {}
void apply_vocabulary_evidence() {}
