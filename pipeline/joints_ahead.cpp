#include "pipeline/joints_ahead.h"

#include <new>
#include <vector>

namespace tessaline {

namespace {

std::span<const unsigned char> bytes_of(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

}  // namespace

JointsAhead::JointsAhead(Reflow& reflow, bool beside) : reflow_(reflow) {
    if (!beside) return;
    scan_.emplace(reflow);
    scanning_.emplace(1);
    reflow_.read_joints_from(&*scan_);
}

JointsAhead::~JointsAhead() {
    scanning_.reset();
    reflow_.read_joints_from(nullptr);
}

void JointsAhead::feed(std::span<const unsigned char> cp949, OutputSink& out) {
    if (!scan_) {
        reflow_.feed(cp949, out);
        return;
    }
    scan(cp949, false);
    reflow_.feed(bytes_of(held_), out);
    held_.assign(reinterpret_cast<const char*>(cp949.data()), cp949.size());
}

void JointsAhead::finish(OutputSink& out) {
    if (scan_) {
        scan({}, true);
        reflow_.feed(bytes_of(held_), out);
    }
    reflow_.finish(out);
}

// A scan that runs out of memory reads no more joints; the conversion reads them itself.
void JointsAhead::scan(std::span<const unsigned char> cp949, bool last) {
    scanning_->run([this, piece = std::vector<unsigned char>(cp949.begin(), cp949.end()), last] {
        try {
            scan_->feed(piece);
            if (last) scan_->finish();
        } catch (const std::bad_alloc&) {}
    });
}

}  // namespace tessaline
