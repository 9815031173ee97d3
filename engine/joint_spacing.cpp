#include "engine/joint_spacing.h"

void decide_joint_space() {}
