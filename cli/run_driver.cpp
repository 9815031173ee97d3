#include "cli/run_driver.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/reason_wording.h"
#include "engine/engine_state.h"
#include "pipeline/batch_run.h"
#include "pipeline/document_conversion.h"
#include "pipeline/min_length.h"
#include "pipeline/run_settings.h"
#include "pipeline/source_loader.h"
#include "platform/platform.h"

namespace {

// The planner keeps every run within the buffer, both closing NULs included.
void fill_selection(const PlannedRun& run) {
    size_t at = 0;
    auto put = [&at](const std::string& text) {
        std::memcpy(selection_buffer + at, text.c_str(), text.size() + 1);
        at += text.size() + 1;
    };
    if (run.folder.empty()) {
        put(run.names[0]);
    } else {
        put(run.folder);
        for (const auto& name : run.names) put(name);
    }
    selection_buffer[at] = 0;
}

void read_options(const ProgressView& view) {
    int flags[4] = {};
    view.read_checkboxes(view.context, flags);
    conversion_options.split_long_sentences = flags[0];
    conversion_options.remove_hanja = flags[1];
    conversion_options.blank_after_long = flags[2];
    conversion_options.mark_joins = flags[3];
    char text[MIN_LENGTH_DIGITS + 1] = {};
    view.read_min_length_text(view.context, text);
    conversion_options.min_line_bytes = min_line_bytes_from(text);
}

void convert_stdin(const ProgressView& view, FailureReport& failures) {
    unsigned char* bytes = nullptr;
    size_t count = 0;
    // Standard input is named as on the command line.
    std::string name = "-";
    view.show_path(view.context, name.c_str());
    if (!platform_read_stdin(&bytes, &count)) {
        std::string reason = std::string("cannot be read: ") + platform_error_text();
        return report_file_failure(failures, name, reason_in_run_language(reason));
    }
    bool loaded = load_source_bytes(bytes, count, name.c_str());
    std::free(bytes);
    if (!loaded) return;
    read_options(view);
    set_current_input_path(name.c_str());
    convert_document(&view, PREVIEW_LIMIT_LAST);
}

}  // namespace

void carry_out(const PlannedRun& run, const ProgressView& view, FailureReport& failures) {
    run_settings.output_dir = run.output_dir.empty() ? nullptr : run.output_dir.c_str();
    view.set_batch_range(view.context, run.folder.empty() ? 1 : static_cast<int>(run.names.size()));
    if (run.from_stdin) return convert_stdin(view, failures);
    fill_selection(run);
    txt_file_count = count_text_files();
    selection_ready = 1;
    run_batch(&view);
}
