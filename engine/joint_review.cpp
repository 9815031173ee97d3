#include "engine/joint_review.h"

void review_joint_space() {}
