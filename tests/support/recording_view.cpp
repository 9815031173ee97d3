#include "tests/support/recording_view.h"

#include <cstring>

namespace {

RecordingView& self(void* context) { return *static_cast<RecordingView*>(context); }

void record(void* context, const char* operation, const std::string& argument) {
    self(context).calls.push_back(std::string(operation) + ":" + argument);
}

}  // namespace

ProgressView RecordingView::view() {
    ProgressView v{};
    v.context = this;
    v.set_file_progress = [](void* c, int p) {
        self(c).file_progress.push_back(p);
        record(c, "set_file_progress", std::to_string(p));
    };
    v.set_batch_range = [](void* c, int n) { record(c, "set_batch_range", std::to_string(n)); };
    v.set_batch_progress = [](void* c, int n) { record(c, "set_batch_progress", std::to_string(n)); };
    v.set_status = [](void* c, const char* t) { record(c, "set_status", t); };
    v.show_path = [](void* c, const char* t) { record(c, "show_path", t); };
    v.show_preview = [](void* c, const char* t) { record(c, "show_preview", t); };
    v.refresh = [](void* c) { record(c, "refresh", ""); };
    v.show_message = [](void* c, const char* t) { record(c, "show_message", t); };
    v.read_checkboxes = [](void* c, int flags[4]) {
        std::memcpy(flags, self(c).checkboxes, sizeof self(c).checkboxes);
        record(c, "read_checkboxes", "");
    };
    v.read_min_length_text = [](void* c, char text[10]) {
        std::strncpy(text, self(c).min_length_text.c_str(), 9);
        text[9] = 0;
        record(c, "read_min_length_text", "");
    };
    v.uncheck_mark_joins = [](void* c) {
        self(c).checkboxes[3] = 0;
        self(c).mark_joins_unchecked = true;
        record(c, "uncheck_mark_joins", "");
    };
    return v;
}

std::vector<std::string> RecordingView::of(const std::string& operation) const {
    std::vector<std::string> found;
    for (const auto& call : calls)
        if (call.compare(0, operation.size() + 1, operation + ":") == 0) found.push_back(call.substr(operation.size() + 1));
    return found;
}
