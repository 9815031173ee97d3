#include "engine/line_start.h"

void normalise_line_start() {}
