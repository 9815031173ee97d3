#pragma once

#include <string>

#include "cli/console_view.h"

// Every file that could not be converted is named with the reason, even under --quiet, and
// counted for the exit status.
struct FailureReport {
    ConsoleView* console;
    int count;
};

// `reason` is in the run's language already.
void report_file_failure(FailureReport& failures, const std::string& path, const std::string& reason);

// The pipeline's failure callback; the context is a FailureReport. The pipeline explains in
// English; the reason is told in the run's language.
void on_pipeline_failure(void* context, const char* path, const char* reason);
