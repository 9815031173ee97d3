#include "tests/support/recording_view.h"

namespace tessaline {

void RecordingView::set_file_progress(int percent) {
    file_progress.push_back(percent);
    record("set_file_progress", std::to_string(percent));
}

void RecordingView::record(const char* operation, const std::string& argument) {
    calls.push_back(std::string(operation) + ":" + argument);
}

std::vector<std::string> RecordingView::of(const std::string& operation) const {
    std::vector<std::string> found;
    for (const auto& call : calls)
        if (call.compare(0, operation.size() + 1, operation + ":") == 0)
            found.push_back(call.substr(operation.size() + 1));
    return found;
}

}  // namespace tessaline
