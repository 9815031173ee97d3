#pragma once

#include "pipeline/batch_report.h"
#include "pipeline/batch_request.h"
#include "pipeline/batch_view.h"

namespace tessaline {

// Converts the files of the request, showing the run through the view: each file's path, number,
// progress and preview, then the completion texts, in the order of the files however many are
// converted at once. Files that could not be read, converted or written are named through the
// view and in the completion texts; the others are converted all the same.
BatchOutcome run_batch(const BatchRequest& request, BatchView& view);

}  // namespace tessaline
