#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pipeline/file_report.h"
#include "pipeline/shared_output.h"

namespace tessaline {

// Lets the files of a batch be converted at once while what they tell, and what they write to
// standard output, comes out in the order of the batch, as if they were converted one after
// another. The earliest file not yet ended tells its report and writes its result directly; a
// later file's report is held until its turn, and so is its result, up to a limit beyond which it
// waits for its turn.
class OrderedRelay {
public:
    OrderedRelay(FileReport& target, size_t files);
    ~OrderedRelay();
    OrderedRelay(const OrderedRelay&) = delete;
    OrderedRelay& operator=(const OrderedRelay&) = delete;

    // What the conversion of file `index` tells and writes to; each used by one thread at a time.
    FileReport& report_of(size_t index);
    SharedOutput& output_of(size_t index);

private:
    class Slot;
    using Told = std::function<void(FileReport&)>;

    void tell(size_t index, Told told);
    void end(size_t index);
    void pass_turn();
    void wait_for_turn(size_t index);

    FileReport& target_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::mutex mutex_;
    std::condition_variable turn_changed_;
    size_t turn_ = 0;  // the earliest file not yet ended
};

}  // namespace tessaline
