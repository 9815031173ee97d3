#pragma once

#include <string>
#include <vector>

#include "pipeline/progress_view.h"

// A ProgressView without a window: every call is recorded in order as "operation:argument",
// and the reading operations answer from the fields below.
struct RecordingView {
    std::vector<std::string> calls;
    std::vector<int> file_progress;
    int checkboxes[4] = {1, 0, 1, 0};   // ids 1 to 4, as the window starts
    std::string min_length_text = "15";
    bool mark_joins_unchecked = false;

    ProgressView view();
    // The calls of one operation, arguments only.
    std::vector<std::string> of(const std::string& operation) const;
};
