#include <cstdio>
#include <string>

#include "cli/console_view.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/run_driver.h"
#include "cli/run_plan.h"
#include "dictionary/korean_dictionary.h"
#include "pipeline/batch_run.h"
#include "platform/platform.h"

namespace {

int usage_error(const std::string& error) {
    std::fprintf(stderr, "tessaline: %s\n", error.c_str());
    print_usage_hint(stderr);
    return 2;
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
    ConsoleView console(options);
    std::vector<BatchFile> files = plan_files(options, console);
    if (!files.empty()) {
        console.begin_batch(static_cast<int>(files.size()));
        KoreanDictionary dictionary(options.dictionary_path, [&console](const std::string& why) { console.note(why); });
        BatchRequest request = command_request(options, std::move(files));
        request.options.dictionary = &dictionary;
        run_batch(request, console);
    }
    console.clear_line();
    return console.failures() == 0 ? 0 : 1;
}
