#include "cli/failure_report.h"

#include <cstdio>

void report_file_failure(FailureReport& failures, const char* path, const char* reason) {
    console_clear_line(*failures.console);
    std::fprintf(stderr, "tessaline: '%s' %s\n", terminal_path(path).c_str(), reason);
    std::fflush(stderr);
    ++failures.count;
}

void on_pipeline_failure(void* context, const char* path, const char* reason) {
    report_file_failure(*static_cast<FailureReport*>(context), path, reason);
}

void on_pipeline_warning(void* context, const char* path, const char* warning) {
    auto& failures = *static_cast<FailureReport*>(context);
    console_clear_line(*failures.console);
    std::fprintf(stderr, "tessaline: '%s' %s\n", terminal_path(path).c_str(), warning);
    std::fflush(stderr);
}
