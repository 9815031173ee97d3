#include "pipeline/document_conversion.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "pipeline/output_writer.h"
#include "pipeline/source_loader.h"
#include "pipeline/view_calls.h"

tessaline::ConversionOptions conversion_options{.split_long_sentences = false,
                                                .remove_hanja = false,
                                                .blank_after_long = false,
                                                .mark_joins = false,
                                                .min_line_bytes = 0,
                                                .joints = tessaline::JointMode::rules};

namespace {

std::string input_path;

// The engine's count of converted bytes moves the file bar over its first 99 steps; the writer
// sets it to 100 once the result is written.
class FileBar : public tessaline::ProgressSink {
public:
    FileBar(const ProgressView* view, uint64_t total) : view_(view), total_(total) {}

    void consumed(uint64_t bytes) override {
        int percent = static_cast<int>(bytes * 99 / (total_ + 1));
        if (percent <= shown_) return;
        shown_ = percent;
        view_set_file_progress(view_, percent);
    }

private:
    const ProgressView* view_;
    uint64_t total_;
    int shown_ = 0;
};

class StringSink : public tessaline::OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { text.append(bytes.begin(), bytes.end()); }
    std::string text;
};

}  // namespace

void set_current_input_path(const char* path) { input_path = path; }

const char* current_input_path() { return input_path.c_str(); }

int convert_document(const ProgressView* view, int preview_limit) {
    std::span<const unsigned char> text(source_text.bytes, std::strlen(reinterpret_cast<const char*>(source_text.bytes)));
    view_set_file_progress(view, 0);
    FileBar bar(view, text.size());
    tessaline::Reflow reflow(conversion_options, &bar);
    while (reflow.needs_first_pass()) {
        reflow.feed_first_pass(text);
        reflow.finish_first_pass();
    }
    StringSink result;
    reflow.feed(text, result);
    reflow.finish(result);
    // The source is not needed for writing; its memory goes back before the result is composed.
    text_buffer_release(source_text);
    const auto* bytes = reinterpret_cast<const unsigned char*>(result.text.data());
    bool written = write_output(view, bytes, result.text.size(), input_path.c_str(), preview_limit);
    return written ? 0 : 1;
}
