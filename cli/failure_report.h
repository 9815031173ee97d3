#pragma once

#include "cli/console_view.h"

// Every file that could not be converted is named on stderr, even under --quiet, and counted
// for the exit status.
struct FailureReport {
    ConsoleView* console;
    int count;
};

void report_file_failure(FailureReport& failures, const char* path, const char* reason);

// The pipeline's failure callback; the context is a FailureReport.
void on_pipeline_failure(void* context, const char* path, const char* reason);

// The pipeline's warning callback: a file converted with a loss is named on stderr, even under
// --quiet, since its text is not all there; it still counts as converted. The context is a
// FailureReport.
void on_pipeline_warning(void* context, const char* path, const char* warning);
