#include <cstdio>
#include <string>
#include <vector>

#include "cli/console_view.h"
#include "cli/help.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/run_driver.h"
#include "cli/run_plan.h"
#include "dictionary/korean_dictionary.h"
#include "pipeline/batch_run.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

constexpr int usage_error_status = 2;

int usage_error(const std::string& error, bool with_usage) {
    std::fprintf(stderr, "tessaline: %s\n", error.c_str());
    if (with_usage) print_usage(stderr);
    print_usage_hint(stderr);
    return usage_error_status;
}

}  // namespace

int run_command_line(int argc, char** argv) {
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
    ConsoleView console(options);
    // Kept for the whole run: the signal handler writes it as it stands.
    static const std::string farewell =
        (console.live() ? "\n" : "") + ("tessaline: " + message(Text::interrupted)) + "\n";
    platform_end_cleanly_on_signals(farewell.c_str());
    std::vector<BatchFile> files = plan_files(options, console);
    if (!files.empty()) {
        console.begin_batch(static_cast<int>(files.size()));
        KoreanDictionary dictionary(options.dictionary_path, [&console](const std::string& why) { console.note(why); });
        BatchRequest request = command_request(options, std::move(files));
        request.options.dictionary = &dictionary;
        if (batch_may_ask_dictionary(request)) dictionary.load_ahead();
        run_batch(request, console);
    }
    console.finish();
    return console.failures() == 0 ? 0 : 1;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::run_command_line(argc, argv); }
