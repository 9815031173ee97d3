#pragma once

#include <string>
#include <vector>

#include "cli/failure_report.h"
#include "cli/options.h"

// One call of run_batch: a single selection (one path, no folder) or a multiple selection (a
// folder and names in it), each small enough for the selection buffer.
struct PlannedRun {
    std::string folder;                 // empty for a single selection
    std::vector<std::string> names;     // for a single selection, the one full path
    std::string output_dir;             // empty: the Tessaline folder beside each input
    bool from_stdin;
};

// Turns the PATHs into runs, in the order given: a file alone is a single selection, several
// text files of one folder a multiple one, a folder (and with -r each subfolder) a multiple
// selection of its text files. What cannot be read is reported and left out.
std::vector<PlannedRun> plan_runs(const CliOptions& options, FailureReport& failures);
