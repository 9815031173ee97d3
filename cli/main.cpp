#include <cstdio>
#include <string>

#include "cli/console_view.h"
#include "cli/failure_report.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/run_driver.h"
#include "cli/run_plan.h"
#include "dictionary/korean_dictionary.h"
#include "pipeline/document_conversion.h"
#include "pipeline/run_settings.h"
#include "platform/platform.h"

namespace {

int usage_error(const std::string& error) {
    std::fprintf(stderr, "tessaline: %s\n", error.c_str());
    print_usage_hint(stderr);
    return 2;
}

void apply_settings(const CliOptions& options, FailureReport& failures) {
    run_settings.input_encoding = options.input_encoding;
    run_settings.output_encoding = options.output_encoding;
    run_settings.to_stdout = options.to_stdout ? 1 : 0;
    run_settings.on_failure = on_pipeline_failure;
    run_settings.failure_context = &failures;
    conversion_options.joints = options.joints;
}

}  // namespace

int main(int argc, char** argv) {
    platform_prepare_terminal();
    CliOptions options;
    std::string error;
    switch (parse_options(argc, argv, options, error)) {
    case ParseResult::HELP: print_help(stdout); return 0;
    case ParseResult::VERSION: print_version(stdout); return 0;
    case ParseResult::USAGE_ERROR: return usage_error(error);
    case ParseResult::RUN: break;
    }
    ConsoleView console = make_console_view(options);
    FailureReport failures{&console, 0};
    apply_settings(options, failures);
    KoreanDictionary dictionary(options.dictionary_path, [&console](const std::string& why) { console_note(console, why); });
    conversion_options.dictionary = &dictionary;
    ProgressView view = console_progress_view(console);
    for (const auto& run : plan_runs(options, failures)) carry_out(run, view, failures);
    console_clear_line(console);
    return failures.count == 0 ? 0 : 1;
}
