#include "pipeline/batch_report.h"

#include <cstdlib>

#include "pipeline/batch_texts.h"
#include "pipeline/preview.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

const char* name_part(const std::string& path) {
    const char* name = path.c_str();
    for (const char* at = name; *at != 0; ++at)
        if (platform_is_separator(*at)) name = at + 1;
    return name;
}

// The failed file's name for the Korean completion texts, which are CP949 on every system.
std::string failed_name(const std::string& path) {
    size_t count = 0;
    unsigned char* name = platform_name_to_cp949(name_part(path), &count);
    std::string converted(reinterpret_cast<const char*>(name), count);
    std::free(name);
    return converted;
}

}  // namespace

BatchReport::BatchReport(const BatchRequest& request, BatchView& view)
    : view_(view), shape_(request.shape), file_count_(static_cast<int>(request.files.size())),
      saved_in_tessaline_(request.destination == Destination::TESSALINE_FOLDER) {}

void BatchReport::started(const std::string& path) {
    path_ = path;
    loaded_ = false;
    failed_ = false;
    view_.show_path(path);
}

void BatchReport::loaded() {
    loaded_ = true;
    ++loaded_count_;
    if (is_list()) view_.set_status(progress_status(file_count_, loaded_count_));
}

void BatchReport::progress(int percent) { view_.set_file_progress(percent); }

void BatchReport::failed(const std::string& path, const std::string& reason) {
    failed_ = true;
    failed_names_.push_back(failed_name(path_));
    view_.report_failure(path, reason);
}

// Only the last file of a list shows the large preview; when an earlier file failed to load,
// none reaches that number.
void BatchReport::written(const std::string& head, uint64_t length) {
    size_t limit = is_list() && loaded_count_ < file_count_ ? preview_limit_earlier : preview_limit_last;
    view_.show_converted(length);
    view_.show_preview(preview_of(head, length, limit));
}

void BatchReport::warned(const std::string& path, const std::string& warning) { view_.report_warning(path, warning); }

void BatchReport::ended() {
    if (loaded_ && !failed_) ++converted_;
    if (!is_list() || !loaded_) return;
    view_.set_batch_progress(loaded_count_);
    view_.refresh();
}

BatchOutcome BatchReport::finish() {
    if (failed_names_.empty()) {
        view_.set_status(is_list() ? finished_status(file_count_) : single_finished_status);
        view_.show_message(finished_message(is_list() ? file_count_ : 1, saved_in_tessaline_));
    } else {
        view_.set_status(failed_status(converted_, failed_names_));
        view_.show_message(failed_message(converted_, failed_names_, saved_in_tessaline_));
    }
    return BatchOutcome{converted_, static_cast<int>(failed_names_.size())};
}

}  // namespace tessaline
