#pragma once

#include <string>
#include <vector>

#include "cli/console_view.h"
#include "cli/options.h"
#include "pipeline/batch_request.h"

namespace tessaline {

// Turns the PATHs into the files of one batch, in the order given: a file as it is, whatever its
// name; '-' as standard input; a folder as the text files directly in it, in byte order of their
// names, and with -r then each subfolder's in turn. What cannot be read, and a second input whose
// result would land where an earlier one's does, is named through the console and left out.
std::vector<BatchFile> plan_files(const CliOptions& options, ConsoleView& console);

}  // namespace tessaline
