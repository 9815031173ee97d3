#include "pipeline/file_conversion.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "engine/engine_state.h"
#include "engine/reflow.h"
#include "pipeline/file_report.h"
#include "pipeline/own_footer.h"
#include "pipeline/preview.h"
#include "pipeline/progress_view.h"
#include "pipeline/result_writer.h"
#include "pipeline/source_loader.h"
#include "platform/platform.h"

namespace {

constexpr char OUT_OF_MEMORY[] = "cannot be converted: out of memory";

bool load_standard_input(InputEncoding encoding, std::string& failure) {
    unsigned char* bytes = nullptr;
    size_t count = 0;
    if (!platform_read_stdin(&bytes, &count)) {
        failure = std::string("cannot be read: ") + platform_error_text();
        return false;
    }
    bool loaded = false;
    try {
        loaded = load_source_bytes(bytes, count, encoding, &failure);
    } catch (...) {
        std::free(bytes);
        throw;
    }
    std::free(bytes);
    return loaded;
}

bool load(const BatchFile& file, InputEncoding encoding, std::string& failure) {
    if (file.standard_input) return load_standard_input(encoding, failure);
    return load_source_file(file.path.c_str(), encoding, &failure);
}

// Converting a result again replaces its footer instead of adding a second one.
void leave_out_own_footer() {
    size_t length = std::strlen(reinterpret_cast<const char*>(source_text.bytes));
    source_text.bytes[length_without_own_footer(source_text.bytes, length)] = 0;
}

// The engine's file progress, passed on to the report.
ProgressView progress_to(FileReport& report) {
    ProgressView view{};
    view.context = &report;
    view.set_file_progress = [](void* context, int percent) { static_cast<FileReport*>(context)->progress(percent); };
    return view;
}

bool open(ResultWriter& writer, const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output,
          FileFailure& failure) {
    if (request.destination == Destination::STANDARD_OUTPUT) {
        writer.open_shared(standard_output);
        return true;
    }
    bool own_folder = request.destination == Destination::OUTPUT_FOLDER;
    return writer.open_file(file.path, own_folder ? file.output_folder : "", failure, request.refuse_linked_folder);
}

// How a file ended: written, with the beginning of the result and its length, or failed.
struct Ending {
    bool written = false;
    std::string head;
    uint64_t length = 0;
    FileFailure failure;
};

void convert_loaded(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output,
                    FileReport& report, Ending& ending) {
    ProgressView progress = progress_to(report);
    if (request.replace_own_footer) leave_out_own_footer();
    conversion_options = request.options;
    reflow_document(&progress);
    // The source is not needed for writing; its memory goes back before the result is written.
    text_buffer_release(source_text);
    report.progress(100);
    ResultWriter writer(request.output_encoding, PREVIEW_LIMIT_LAST, request.footer);
    if (!open(writer, file, request, standard_output, ending.failure)) return;
    writer.write(final_text(), final_text_length());
    if (!writer.finish(ending.failure)) return;
    ending.written = true;
    ending.head = writer.head();
    ending.length = writer.length();
}

Ending convert(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output, FileReport& report) {
    Ending ending;
    try {
        std::string reason;
        if (!load(file, request.input_encoding, reason)) {
            ending.failure = FileFailure{file.path, reason};
            return ending;
        }
        report.loaded();
        convert_loaded(file, request, standard_output, report, ending);
    } catch (const std::bad_alloc&) {
        ending = Ending{};
        ending.failure = FileFailure{file.path, OUT_OF_MEMORY};
    }
    return ending;
}

}  // namespace

void convert_file(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output, FileReport& report) {
    report.started(file.path);
    Ending ending = convert(file, request, standard_output, report);
    if (ending.written) report.written(ending.head, ending.length);
    else report.failed(ending.failure.path, ending.failure.reason);
    report.ended();
}
