#pragma once

#include "cli/run_plan.h"
#include "pipeline/progress_view.h"

// Carries out one planned run: through run_batch with the selection filled as the open dialog
// fills it, or, for standard input, through the same steps on its text.
void carry_out(const PlannedRun& run, const ProgressView& view);
