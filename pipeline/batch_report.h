#pragma once

#include <string>
#include <vector>

#include "pipeline/batch_request.h"
#include "pipeline/batch_view.h"
#include "pipeline/file_report.h"

namespace tessaline {

// How a batch ended.
struct BatchOutcome {
    int converted = 0;
    int failed = 0;
};

// Turns what the files of a batch tell, taken in the batch's order, into what its view shows:
// the path of each file, its number in the status line, its progress and preview, the batch
// bar, and at the end the completion texts with the files that failed named.
class BatchReport final : public FileReport {
public:
    BatchReport(const BatchRequest& request, BatchView& view);

    void started(const std::string& path) override;
    void loaded() override;
    void progress(int percent) override;
    void failed(const std::string& path, const std::string& reason) override;
    void written(const std::string& head, uint64_t length) override;
    void warned(const std::string& path, const std::string& warning) override;
    void ended() override;

    // Shows the completion texts.
    BatchOutcome finish();

private:
    bool is_list() const { return shape_ == RunShape::FILE_LIST; }

    BatchView& view_;
    RunShape shape_;
    int file_count_;
    bool saved_in_tessaline_;
    int loaded_count_ = 0;
    int converted_ = 0;
    std::vector<std::string> failed_names_;  // CP949, for the completion texts
    std::string path_;
    bool loaded_ = false;
    bool failed_ = false;
};

}  // namespace tessaline
