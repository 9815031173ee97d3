#include <cstdio>
#include <string>
#include <vector>

#include "cli/console_view.h"
#include "cli/failure_report.h"
#include "cli/help.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/run_driver.h"
#include "cli/run_plan.h"
#include "engine/engine_state.h"
#include "pipeline/run_settings.h"
#include "platform/platform.h"

namespace {

constexpr int USAGE_ERROR_STATUS = 2;

int usage_error(const std::string& error, bool with_usage) {
    std::fprintf(stderr, "tessaline: %s\n", error.c_str());
    if (with_usage) print_usage(stderr);
    print_usage_hint(stderr);
    return USAGE_ERROR_STATUS;
}

void apply_settings(const CliOptions& options, FailureReport& failures) {
    run_settings.input_encoding = options.input_encoding;
    run_settings.output_encoding = options.output_encoding;
    run_settings.to_stdout = options.to_stdout ? 1 : 0;
    run_settings.no_footer = options.footer ? 0 : 1;
    run_settings.replace_own_footer = 1;
    run_settings.refuse_linked_folder = 1;
    run_settings.on_failure = on_pipeline_failure;
    run_settings.failure_context = &failures;
    conversion_options.vocabulary_joints = options.vocabulary_joints;
}

}  // namespace

int main(int argc, char** argv) {
    platform_prepare_terminal();
    choose_korean(platform_user_wants_korean());
    CliOptions options;
    std::string error;
    switch (parse_options(argc, argv, platform_stdin_is_terminal(), options, error)) {
    case ParseResult::HELP: print_help(stdout); return 0;
    case ParseResult::VERSION: print_version(stdout); return 0;
    case ParseResult::USAGE_ERROR: return usage_error(error, false);
    case ParseResult::NO_INPUT: return usage_error(error, true);
    case ParseResult::RUN: break;
    }
    ConsoleView console = make_console_view(options);
    FailureReport failures{&console, 0};
    apply_settings(options, failures);
    // Kept for the whole run: the signal handler writes it as it stands.
    static const std::string farewell = (console.live ? "\n" : "") + ("tessaline: " + message(Text::interrupted)) + "\n";
    platform_end_cleanly_on_signals(farewell.c_str());
    ProgressView view = console_progress_view(console);
    std::vector<PlannedRun> runs = plan_runs(options, failures);
    for (const auto& run : runs) console.file_count += run.folder.empty() ? 1 : static_cast<int>(run.names.size());
    for (const auto& run : runs) carry_out(run, view, failures);
    console_finish(console);
    return failures.count == 0 ? 0 : 1;
}
