#include "pipeline/file_conversion.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <string>

#include "engine/reflow.h"
#include "pipeline/file_report.h"
#include "pipeline/own_footer.h"
#include "pipeline/preview.h"
#include "pipeline/result_writer.h"
#include "pipeline/source_loader.h"
#include "platform/platform.h"

namespace {

constexpr char OUT_OF_MEMORY[] = "cannot be converted: out of memory";

// The engine's count of converted input bytes as the file bar's percent: it moves over its first
// 99 steps while the text is converted and reaches 100 once the conversion is over.
class FileProgress final : public tessaline::ProgressSink {
public:
    FileProgress(FileReport& report, uint64_t total) : report_(report), total_(total) {}

    void consumed(uint64_t bytes) override {
        int percent = static_cast<int>(bytes * 99 / (total_ + 1));
        if (percent <= shown_) return;
        shown_ = percent;
        report_.progress(percent);
    }

private:
    FileReport& report_;
    uint64_t total_;
    int shown_ = 0;
};

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

bool open(ResultWriter& writer, const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output,
          FileFailure& failure) {
    if (request.destination == Destination::STANDARD_OUTPUT) {
        writer.open_shared(standard_output);
        return true;
    }
    bool own_folder = request.destination == Destination::OUTPUT_FOLDER;
    return writer.open_file(file.path, own_folder ? file.output_folder : "", failure, request.refuse_linked_folder);
}

// The loaded source text, which goes back once the engine holds what it needs of it. Without a
// footer of this program at its end when the request says so: converting a result again
// replaces its footer instead of adding a second one.
std::span<const unsigned char> loaded_text(bool replace_own_footer) {
    size_t length = std::strlen(reinterpret_cast<const char*>(source_text.bytes));
    if (replace_own_footer) length = length_without_own_footer(source_text.bytes, length);
    return {source_text.bytes, length};
}

// Runs the engine over the loaded text into the writer.
void reflow_into(ResultWriter& writer, const BatchRequest& request, FileReport& report) {
    std::span<const unsigned char> text = loaded_text(request.replace_own_footer);
    FileProgress progress(report, text.size());
    tessaline::Reflow reflow(request.options, &progress);
    while (reflow.needs_first_pass()) {
        reflow.feed_first_pass(text);
        reflow.finish_first_pass();
    }
    reflow.feed(text, writer);
    text_buffer_release(source_text);
    reflow.finish(writer);
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
    report.progress(0);
    ResultWriter writer(request.output_encoding, PREVIEW_LIMIT_LAST, request.footer);
    bool opened = open(writer, file, request, standard_output, ending.failure);
    if (opened) reflow_into(writer, request, report);
    text_buffer_release(source_text);
    report.progress(100);
    if (!opened || !writer.finish(ending.failure)) return;
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
        text_buffer_release(source_text);
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
