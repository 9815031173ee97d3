#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <span>
#include <string>

#include "engine/joint_scan.h"
#include "engine/reflow.h"
#include "pipeline/step_queue.h"

namespace tessaline {

// Feeds a conversion in the vocabulary mode its text while a scan on a thread of its own reads
// the book's evidence at the joints a piece ahead of it: each piece goes to the scan first, and to
// the conversion once the next piece has gone to the scan. Without a thread (none asked, or none
// given), the conversion reads every joint itself.
class JointsAhead {
public:
    JointsAhead(Reflow& reflow, bool beside);
    // The conversion no longer reads from the scan.
    ~JointsAhead();
    JointsAhead(const JointsAhead&) = delete;
    JointsAhead& operator=(const JointsAhead&) = delete;

    // The next piece of the text.
    void feed(std::span<const unsigned char> cp949, OutputSink& out);
    // The text has all come: the piece held back goes to the conversion, which then finishes.
    void finish(OutputSink& out);

private:
    void scan(std::span<const unsigned char> cp949, bool last);

    Reflow& reflow_;
    std::optional<JointScan> scan_;
    std::string held_;                   // the piece the conversion has yet to get
    std::optional<StepQueue> scanning_;  // last, so its thread is done before the scan is gone
};

}  // namespace tessaline
