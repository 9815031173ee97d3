#include "pipeline/run_settings.h"

RunSettings run_settings;

void report_failure(const char* path, const char* reason) {
    if (run_settings.on_failure != nullptr) run_settings.on_failure(run_settings.failure_context, path, reason);
}

void report_warning(const char* path, const std::string& warning) {
    if (run_settings.on_warning != nullptr && !warning.empty())
        run_settings.on_warning(run_settings.warning_context, path, warning.c_str());
}
