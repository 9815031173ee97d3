#pragma once

#include "pipeline/batch_request.h"

namespace tessaline {

class StepQueue;
class FileReport;
class SharedOutput;

// Converts one file of a batch: reads and decodes it, reflows it under the request's options and
// writes the result with its footer where the request says, telling `report` each step. A file
// that cannot be converted for lack of memory fails on its own; the batch goes on. With
// `commits`, a result written whole into a temporary file is put in place, and the end of its
// file told, by a step handed to them; `file` and `report` must then last until they have run.
void convert_file(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output, FileReport& report,
                  StepQueue* commits = nullptr);

}  // namespace tessaline
