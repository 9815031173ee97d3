#pragma once

#include <vector>

#include "cli/options.h"
#include "pipeline/batch_request.h"

namespace tessaline {

// The batch a command line asks for: the planned files under the options given, as many at once
// as -j says (by default one per processor core), written where -o or --stdout says.
BatchRequest command_request(const CliOptions& options, std::vector<BatchFile> files);

// Whether a conversion of the batch may ask the spelling dictionary: the vocabulary mode is on
// and some input is standard input or a file small enough to be a short text.
bool batch_may_ask_dictionary(const BatchRequest& request);

}  // namespace tessaline
