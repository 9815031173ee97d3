#include "cli/failure_report.h"

#include "cli/reason_wording.h"

void report_file_failure(FailureReport& failures, const std::string& path, const std::string& reason) {
    console_failure(*failures.console, path, reason);
    ++failures.count;
}

void on_pipeline_failure(void* context, const char* path, const char* reason) {
    report_file_failure(*static_cast<FailureReport*>(context), path, reason_in_run_language(reason));
}
