#pragma once

#include <string>
#include <vector>

#include "pipeline/batch_view.h"

namespace tessaline {

// A batch view without a window: every call is recorded in order as "operation:argument".
struct RecordingView final : BatchView {
    std::vector<std::string> calls;
    std::vector<int> file_progress;

    void show_path(const std::string& path) override { record("show_path", path); }
    void set_status(const std::string& text) override { record("set_status", text); }
    void set_file_progress(int percent) override;
    void show_preview(const std::string& text) override { record("show_preview", text); }
    void set_batch_progress(int files_done) override { record("set_batch_progress", std::to_string(files_done)); }
    void refresh() override { record("refresh", ""); }
    void show_message(const std::string& text) override { record("show_message", text); }
    void report_failure(const std::string& path, const std::string& reason) override {
        record("report_failure", path + ": " + reason);
    }
    void report_warning(const std::string& path, const std::string& warning) override {
        record("report_warning", path + ": " + warning);
    }

    // The calls of one operation, arguments only.
    std::vector<std::string> of(const std::string& operation) const;

    void record(const char* operation, const std::string& argument);
};

}  // namespace tessaline
