#pragma once

#include <cstdint>
#include <string>

namespace tessaline {

// What a batch run shows while it converts: the window implements it on its controls, the command
// line on the terminal, the tests by recording. The run only tells; nothing here answers back.
// Texts are CP949; paths are spelt as the system spells them. An operation a view has no use for
// is left as it is here, doing nothing.
class BatchView {
public:
    virtual ~BatchView() = default;
    // The file now converted, before it is read.
    virtual void show_path(const std::string&) {}
    virtual void set_status(const std::string&) {}
    // The share of the current file done, 0 to 100, never moving back within a file.
    virtual void set_file_progress(int) {}
    // The result, cut to the preview size with the dotted tail when it is longer.
    virtual void show_preview(const std::string&) {}
    // The current file is converted; its result, written whole, is this many bytes long.
    virtual void show_converted(uint64_t) {}
    virtual void set_batch_progress(int) {}
    // Repaints at once, after each file of a list.
    virtual void refresh() {}
    // The completion message, once at the end of the run.
    virtual void show_message(const std::string&) {}
    // A file that could not be converted: the path at fault (the input, or the output that could
    // not be written) and the reason in English.
    virtual void report_failure(const std::string&, const std::string&) {}
    // A file converted with a loss, such as characters its result's encoding lacks: the input
    // and what was lost, in English.
    virtual void report_warning(const std::string&, const std::string&) {}
};

}  // namespace tessaline
